#!/usr/bin/env bash
# Writes the bash completion of kr6csv from the program's own help, so that it knows the
# commands and options the program has: the commands, each command's options, the values
# of an option shown as "a|b|c" (--format, --engine), files for FILE, .zip files and
# folders for an argument that takes an archive, and the commands for "help".
# usage: tools/make-completion.sh PROGRAM OUTPUT
set -euo pipefail

program=$1 output=$2
name=$(basename "$program")
function=_${name//[^A-Za-z0-9]/_}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commands=$("$program" --help | awk '/^(Sub)?[Cc]ommands:$/ { inside = 1; next }
                                    /^$/ { inside = 0 }
                                    inside && /^  [^ ]/ { print $1 }' | tr '\n' ' ')
commands=${commands% }
[[ -n $commands ]] || { echo "make-completion: '$program --help' lists no commands" >&2; exit 1; }

# Adds the case lines of one command to the three tables:
#   options:   COMMAND) echo 'OPTION...' ;;
#   values:    'COMMAND OPTION') echo 'VALUE' ;;   (FILE, N or a|b|c)
#   arguments: COMMAND) echo 'KIND...' ;;          (zip, command or word; "..." repeats)
describe() {
    "$program" "$1" --help | awk -v command="$1" -v tables="$work" '
        function quoted(text) { return "\x27" text "\x27" }
        /^(Positionals|Arguments):$/ { part = "arguments"; next }
        /^Options:$/ { part = "options"; next }
        /^$/ { part = ""; next }
        part != "" && /^  [^ ]/ {
            line = substr($0, 3)
            gap = index(line, "  ")
            field = gap ? substr(line, 1, gap - 1) : line
            split(field, words, " ")
            if (part == "arguments") {
                kind = words[1] == "COMMAND" ? "command" : substr(line, gap) ~ /\.zip/ ? "zip" : "word"
                arguments = arguments (arguments == "" ? "" : " ") kind (field ~ /\.\.\.$/ ? "..." : "")
                next
            }
            count = split(words[1], names, ",")
            for (i = 1; i <= count; ++i) {
                options = options (options == "" ? "" : " ") names[i]
                if (words[2] != "" && words[2] !~ /:$/)
                    printf "    %s) echo %s ;;\n", quoted(command " " names[i]),
                           quoted(words[2]) >>(tables "/values")
            }
        }
        END {
            printf "    %s) echo %s ;;\n", command, quoted(options) >>(tables "/options")
            printf "    %s) echo %s ;;\n", command, quoted(arguments) >>(tables "/arguments")
        }'
}
touch "$work/options" "$work/values" "$work/arguments"
for command in $commands; do
    describe "$command"
done

{
    cat <<HEAD
# bash completion of $name, written from its help while building.

${function}_options() {
    case \$1 in
$(cat "$work/options")
    esac
}

# FILE, N or the values a|b|c; nothing for a flag.
${function}_value() {
    case "\$1 \$2" in
$(cat "$work/values")
    esac
}

${function}_arguments() {
    case \$1 in
$(cat "$work/arguments")
    esac
}

HEAD
    cat <<'BODY' | sed -e "s/@FUNCTION@/$function/g" -e "s/@COMMANDS@/$commands/g" -e "s/@NAME@/$name/g"
@FUNCTION@() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command="" word value kind
    local -a kinds
    local -i i argument=0
    COMPREPLY=()
    # bash splits "--format=csv" into "--format", "=" and "csv".
    if [[ $cur == = ]]; then
        cur=""
    elif [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    for ((i = 1; i < COMP_CWORD; ++i)); do
        word=${COMP_WORDS[i]}
        if [[ -z $command ]]; then
            [[ $word == -* ]] || command=$word
        elif [[ $word == -?* ]]; then
            if [[ -n $(@FUNCTION@_value "$command" "$word") ]]; then
                [[ ${COMP_WORDS[i + 1]-} == = ]] && ((++i))
                ((++i))
            fi
        else
            ((++argument))
        fi
    done
    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "@COMMANDS@ --help --version" -- "$cur")
        return
    fi

    if [[ $prev == -?* ]]; then
        value=$(@FUNCTION@_value "$command" "$prev")
        case $value in
        FILE)
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            ;;
        *"|"*) mapfile -t COMPREPLY < <(compgen -W "${value//|/ }" -- "$cur") ;;
        esac
        [[ -n $value ]] && return
    fi
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(@FUNCTION@_options "$command")" -- "$cur")
        return
    fi

    read -ra kinds <<<"$(@FUNCTION@_arguments "$command")"
    [[ ${#kinds[@]} -eq 0 ]] && return
    if ((argument < ${#kinds[@]})); then
        kind=${kinds[argument]}
    else
        kind=${kinds[${#kinds[@]} - 1]}
        [[ $kind == *... ]] || return
    fi
    case ${kind%...} in
    zip)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(
            compgen -d -- "$cur"
            compgen -f -X '!*.[Zz][Ii][Pp]' -- "$cur"
        )
        ;;
    command) mapfile -t COMPREPLY < <(compgen -W "@COMMANDS@" -- "$cur") ;;
    esac
}

complete -F @FUNCTION@ @NAME@
BODY
} >"$work/completion"
bash -n "$work/completion"
mv "$work/completion" "$output"
