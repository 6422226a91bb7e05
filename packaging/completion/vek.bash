# Bash completion for vek: commands, options, kinds, libraries and part
# files by extension, and part names (from "vek list --names") for extract,
# print, delete and rename; after -C DIR, files and names are DIR's.

_vek_files() {
    # Files whose name ends in one of the given extensions (any letter
    # case), and folders to go on into; from _vek_dir when it is set.
    local cur=$1 ext
    shift
    COMPREPLY=()
    pushd "${_vek_dir:-.}" >/dev/null 2>&1 || return
    for ext in "$@"; do
        COMPREPLY+=($(compgen -f -X "!*.$ext" -- "$cur"))
    done
    COMPREPLY+=($(compgen -d -- "$cur"))
    popd >/dev/null 2>&1
}

_vek() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="compress expand both list verify extract print add delete diff merge cat repair rename grep git-merge git-setup help"
    local libs="[sS][lL][bB] [pP][lL][bB] [fF][lL][bB]" parts="[sS][yY][mM] [pP][kK][gG] [fF][pP][dD]"
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}
    case $prev in
        -k) COMPREPLY=($(compgen -W "symbol package footprint" -- "$cur")); return ;;
        -C | -o | --output-dir) COMPREPLY=($(compgen -d -- "$cur")); return ;;
        --wait | -L | --marker-size) COMPREPLY=(); return ;;
        --output | --path) _vek_files "$cur" $libs; return ;;
    esac
    if [[ $cur == -* ]]; then
        local options="-k -q --quiet -C -h --help"
        case $command in
            compress) options+=" -r --remove --wait --no-progress" ;;
            expand) options+=" -o --output-dir --overwrite --keep --no-progress" ;;
            both) options+=" --force --wait --no-progress" ;;
            add | delete) options+=" -n --dry-run --force --wait --no-progress" ;;
            rename) options+=" --ako --force --wait --no-progress" ;;
            grep) options+=" -i -E -F -l -c" ;;
            list) options+=" --json --names" ;;
            extract) options+=" -o --output-dir --overwrite --keep" ;;
            diff) options+=" -u" ;;
            merge) options+=" -o --output -n --dry-run -L --marker-size --diff3 --path --wait --no-progress" ;;
            repair) options+=" -o --output --in-place --keep-cut -n --dry-run --wait --no-progress" ;;
            git-merge) options+=" -L --marker-size --diff3 --wait --no-progress" ;;
            git-setup) options+=" --local" ;;
        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    # The operands so far: the library is the first of them.
    local i library="" operands=0 kind=() _vek_dir=""
    for ((i = 2; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            -k) kind=(-k "${COMP_WORDS[i + 1]}"); ((i++)) ;;
            -C) _vek_dir=${COMP_WORDS[i + 1]}; ((i++)) ;;
            -o | --output-dir | --output | --wait | -L | --marker-size | --path) ((i++)) ;;
            -*) ;;
            *) [ -z "$library" ] && library=${COMP_WORDS[i]}; ((operands++)) ;;
        esac
    done
    case $command in
        help) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
        compress)
            if [ "$operands" -eq 0 ]; then _vek_files "$cur" "[lL][sS][tT]"; else _vek_files "$cur" $libs; fi ;;
        extract | print | delete | rename)
            if [ "$operands" -eq 0 ]; then
                _vek_files "$cur" $libs
            else
                local names
                names=$(vek list -C "${_vek_dir:-.}" --names "${kind[@]}" -- "$library" 2>/dev/null)
                COMPREPLY=($(compgen -W "$names" -- "$cur"))
            fi ;;
        add)
            if [ "$operands" -eq 0 ]; then _vek_files "$cur" $libs; else _vek_files "$cur" $parts; fi ;;
        git-setup) COMPREPLY=() ;;
        grep) if [ "$operands" -eq 0 ]; then COMPREPLY=(); else _vek_files "$cur" $libs; fi ;;
        *) _vek_files "$cur" $libs ;;
    esac
}

complete -F _vek vek
