# zsh -f zshComplete.zsh FOLDER "WORDS TYPED": what zsh's own completion
# system offers for them, one candidate a line, with the completion files of
# FOLDER on its path. A real interactive zsh runs in a pseudo-terminal, is
# sent the words and a Tab, and reports every candidate added; nothing typed
# is ever run.
zmodload zsh/zpty
zpty z zsh -f -i
zpty -w z "PS1=''; fpath=($1 \$fpath); autoload -U compinit; compinit -u -D; bindkey '^I' complete-word"
zpty -w z 'zstyle ":completion:*" list-grouped false; zstyle ":completion:*" insert-tab false'
# Each candidate on a line of its own after "@@"; compadd calls that only
# ask for matches (-O, -A, -D) are the completion system's own bookkeeping.
zpty -w z 'compadd() { if [[ ${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "$@"; return; fi; local -a h; builtin compadd -A h "$@"; (( $#h )) && print -rl -- "" "@@"${^h} }'
# The end is printed in two pieces, so that the echo of this line is not it.
zpty -w z 'finish() { print -r -- "@@E""ND" }; zstyle ":completion:*" completer _vek_done; _vek_done() { comppostfuncs=(finish); _complete }'
zpty -w -n z "$2"$'\t'
out=""
integer waits=0
while (( waits < 200 )); do
    if zpty -r -t z line; then
        out+=$line
        [[ $line == *@@END* ]] && break
    else
        (( waits++ )); sleep 0.05
    fi
done
print -r -- $out | tr -d '\r' | grep -a '^@@' | grep -v '^@@END' | sed 's/^@@//' | sort -u
zpty -d z
