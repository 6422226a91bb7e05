#include "cli/cliCommands.h"

#include <algorithm>

namespace {

using A = cliOptions::action;

const cliCommand commands[] = {
    {"compress", "pack the part files a list names into a library", A::compress, true, 2, 2, "LIST and OUTPUT", "rfwp", "LIST OUTPUT",
     "Packs the part files named in LIST (one path a line) into the library OUTPUT.\n"
     "Any bad part: nothing is written.",
     "vek compress parts.lst parts.slb", 1, "", false, runCompress},
    {"expand", "write every part to a file of its own, and a list file", A::expand, true, 1, 1, "one LIBRARY", "ovKp", "LIBRARY",
     "Writes every part of LIBRARY to a file of its own, a list file naming them\n"
     "(the library's name cut at its first \".\", plus .lst), and checks the index.",
     "vek expand -o parts parts.slb", 1, "", false, runExpand},
    {"both", "expand a library and compress it back from its own parts", A::both, true, 1, 1, "one LIBRARY", "fwp", "LIBRARY",
     "Expands LIBRARY and compresses it back from its own parts, rebuilding its\n"
     "index and checksum.",
     "vek both parts.slb", 1, "", false, runBoth},
    {"list", "print the index, or each part's name (--names)", A::list, false, 1, 1, "one LIBRARY", "jm", "LIBRARY",
     "Prints one line per index entry: name word, position, length, extra text.",
     "vek list --json parts.slb", 1, "0", false, runList},
    {"verify", "check every part against the index, and the checksum", A::verify, false, 1, 1, "one LIBRARY", "", "LIBRARY",
     "Reads the whole library as expand does, writing nothing, and reports every\n"
     "finding; exit status 0 when it is clean.",
     "vek verify -q parts.slb", 1, "0", false, runVerify},
    {"extract", "write the named parts to files", A::extract, false, 2, 0, "LIBRARY and one NAME or more", "ovK", "LIBRARY NAME...",
     "Writes every part of each NAME (or matching each pattern) to a file, as\n"
     "expand would name it; no list file.",
     "vek extract -o out parts.slb 'R*' AND2", 1, "0", false, runExtract},
    {"print", "print the named parts' text", A::print, false, 2, 0, "LIBRARY and one NAME or more", "", "LIBRARY NAME...",
     "Writes the text of the first part of each NAME to standard output, in\n"
     "library order; a pattern prints every matching part.",
     "vek print parts.slb AND2 > and2.sym", 1, "0", false, runPrint},
    {"add", "put part files into a library, replacing parts of their names", A::add, true, 2, 0, "LIBRARY and one FILE or more", "fnwp", "LIBRARY FILE...",
     "Puts the part files into the library: a part of the same name is replaced,\n"
     "a new one appended. A missing library is made.",
     "vek add parts.slb and2.sym new.sym", 1, "1+", false, runAdd},
    {"delete", "remove the named parts from a library", A::remove, true, 2, 0, "LIBRARY and one NAME or more", "fnwp", "LIBRARY NAME...",
     "Removes every part of each NAME (or matching each pattern) from the library.",
     "vek delete parts.slb OLD1 'TMP*'", 1, "", false, runDelete},
    {"rename", "give a part another name, in its place", A::rename, true, 3, 3, "LIBRARY, OLD and NEW", "Anfwp",
     "LIBRARY OLD NEW",
     "Gives every part named OLD the name NEW, where it stands: its header line\n"
     "keeps everything else. Refused when NEW names a part already. Parts that name\n"
     "OLD as their ako are named on standard error; --ako renames it there too.",
     "vek rename parts.slb R18 R99", 1, "", false, runRename},
    {"grep", "search the parts' texts, as git grep does", A::grep, false, 2, 0, "PATTERN and one LIBRARY or more",
     "IEFWZ", "PATTERN LIBRARY...",
     "Prints each line of the parts that PATTERN matches as LIBRARY:PART:LINE:text\n"
     "(the header line is line 1). Exit status 0 when something matched, 1 when\n"
     "nothing did, 2 on an error (a part cut short is searched as far as it goes).",
     "vek grep -F SO8 parts.plb", 0, "1+", true, runGrep},
    {"diff", "compare two libraries part by part", A::diff, false, 2, 2, "LIBRARY1 and LIBRARY2", "u", "LIBRARY1 LIBRARY2",
     "Compares two libraries part by part: - only in the first, + only in the\n"
     "second, ~ in both with other text. Exit status 0 equal, 1 different.",
     "vek diff -u old.slb new.slb", 2, "01", true, runDiff},
    {"merge", "merge two libraries made from one base, part by part (git's driver)", A::merge, true, 3, 3, "BASE, OURS and THEIRS", "OLP3nwp", "BASE OURS THEIRS",
     "Merges two libraries made from BASE, part by part, over OURS (git's merge\n"
     "driver). Parts changed on both sides get conflict blocks inside them; exit\n"
     "status 1 then, each conflict named on standard error.",
     "vek merge -o merged.slb base.slb ours.slb theirs.slb", 3, "", false, runMerge},
    {"cat", "print every part as text (git's textconv)", A::cat, false, 1, 1, "one LIBRARY", "", "LIBRARY",
     "Prints every part of LIBRARY as text, in library order (git's textconv); a\n"
     "damaged library is shown as far as it can be read, with where the damage is.",
     "vek cat parts.slb | less", 1, "0", false, runCat},
    {"repair", "rebuild a damaged library from every part that can be read whole", A::repair, true, 1, 1, "one LIBRARY", "Ricnwp", "LIBRARY",
     "Rebuilds a damaged library from every part that can be read whole, found by\n"
     "its header line; the index and checksum are made anew. Exit status 1 when a\n"
     "part was cut short or lost, each named on standard error.",
     "vek repair -o fixed.slb parts.slb", 1, "", false, runRepair},
    {"git-merge", "merge a library git merged as text, by parts", A::gitMerge, true, 1, 0, "one LIBRARY or more", "L3wp", "LIBRARY...",
     "After git merged a library without vek's driver: merges the three versions\n"
     "git keeps of it (base, ours, theirs) by parts, as the driver would have, and\n"
     "stages the library when no conflict is left.",
     "vek git-merge parts.slb", 0, "", false, runGitMerge},
    {"git-setup", "tell git how to merge and show libraries", A::gitSetup, false, 0, 0, "no operand", "l", "",
     "Tells git how to merge libraries (vek merge) and show their diffs (vek cat),\n"
     "in your git configuration; --local: in this repository's, with .gitattributes.",
     "vek git-setup --local", 0, "", false, runGitSetup},
};

// The synopsis's options, in this order; 0: every command takes it.
struct synopsisWord {
    char letter;
    const char* words;
};

const synopsisWord synopsisWords[] = {
    {0, "[-k KIND]"}, {'r', "[-r|--remove]"}, {0, "[-q]"},           {'j', "[--json]"},  {'m', "[--names]"}, {'I', "[-i]"}, {'E', "[-E|-F]"}, {'W', "[-l]"}, {'Z', "[-c]"},  {'u', "[-u]"},
    {'o', "[-o DIR]"},     {'v', "[--overwrite|--keep]"}, {'O', "[-o FILE]"},    {'R', "[-o FILE|--in-place]"}, {'c', "[--keep-cut]"}, {'n', "[-n]"},    {'L', "[-L N]"},      {'3', "[--diff3]"}, {'P', "[--path P]"},
    {'l', "[--local]"}, {'A', "[--ako]"},    {'f', "[--force]"},    {'w', "[--wait S]"}, {0, "[-C DIR]"},
};

}  // namespace

const cliCommand* commandFor(const std::string& word) {
    for (const cliCommand& c : commands) {
        if (word == c.word) return &c;
    }
    return nullptr;
}

bool takes(const cliCommand& command, char letter) {
    return std::string(command.options).find(letter) != std::string::npos;
}

std::string synopsis(const cliCommand& command) {
    std::string word = command.word;
    word.resize(std::max<std::size_t>(word.size(), 9), ' ');
    std::string text = "vek " + word;
    for (const synopsisWord& w : synopsisWords) {
        if (w.letter == 0 || takes(command, w.letter)) text += " " + std::string(w.words);
    }
    return text + (*command.operands ? " " + std::string(command.operands) : "");
}

std::string shortUsage() {
    std::string text = "usage: vek COMMAND [options] OPERANDS\n\n";
    for (const cliCommand& c : commands) {
        std::string word = c.word;
        word.resize(std::max<std::size_t>(word.size(), 11), ' ');
        text += "   " + word + c.brief + "\n";
    }
    return text + "\n'vek help COMMAND' shows one command's options; 'vek --help' every command's.\n";
}

std::string usageText() {
    std::string text;
    for (const cliCommand& c : commands) text += (text.empty() ? "usage: " : "       ") + synopsis(c) + "\n";
    return text +
           "       vek help COMMAND | vek COMMAND --help | vek --version\n"
           "KIND is symbol, package or footprint; without -k it comes from the library's\n"
           "extension (.slb, .plb, .flb), or else from its first part's header line.\n"
           "NAME may be a pattern (*, ?, [...]); quote it.\n"
           "-q prints nothing on success but warnings, findings and errors. On a terminal a\n"
           "progress line shows on standard error (--no-progress: none); Ctrl+C stops at the\n"
           "next part, leaving an unfinished library as it was (exit status 130).\n"
           "add, delete and both change nothing in a library that verify finds damaged,\n"
           "compress and add take no part without a name, compress no name twice\n"
           "(--force: do it anyway); a writer waits up to S seconds (30) for another.\n"
           "Examples: vek extract parts.slb AND2    vek print parts.slb AND2 > and2.sym\n"
           "          vek add parts.slb and2.sym    vek delete parts.slb OLD1 OLD2\n"
           "          vek diff old.slb new.slb      vek list --json parts.slb\n";
}
