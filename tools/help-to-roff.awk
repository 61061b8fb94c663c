# Turns the help of one kr6csv command, as the program prints it, into a subsection of a
# manual page: the usage line as its heading, the description, then each argument and
# option as a tagged paragraph. The help option and the shared footer are left out.
function roff(text) {
    gsub(/\\/, "\\e", text)
    gsub(/-/, "\\-", text)
    if (text ~ /^[.']/)
        text = "\\&" text
    return text
}

# "-o,--output FILE" -> bold names and an italic value; "ARCHIVE TEXT REQUIRED" -> the
# italic name; "--rows-only Excludes: --summary" keeps the note for the description.
function tag(field, positional,    words, count, i, names, result) {
    note = ""
    if (match(field, / [A-Z][a-z]+: /)) {
        note = substr(field, RSTART + 1)
        field = substr(field, 1, RSTART - 1)
    }
    count = split(field, words, " ")
    if (positional)
        return "\\fI" roff(words[1]) "\\fR"
    split(words[1], names, ",")
    result = ""
    for (i = 1; i in names; ++i)
        result = result (i > 1 ? ", " : "") "\\fB" roff(names[i]) "\\fR"
    for (i = 2; i <= count; ++i)
        result = result " \\fI" roff(words[i]) "\\fR"
    return result
}

function item(text) {
    if (note != "")
        text = text " (" note ")"
    print ".TP"
    print pending
    print roff(text)
    pending = ""
}

BEGIN { part = "description" }

/^Usage: / {
    sub(/^Usage: /, "")
    print ".SS \"" roff($0) "\""
    if (description != "")
        print description
    part = "usage"
    next
}
/^(Positionals|Arguments):$/ { part = "positionals"; next }
/^Options:$/ { part = "options"; next }
/^$/ { next }
/^Exit status:/ { part = "footer"; next }

part == "description" {
    description = description (description == "" ? "" : "\n") roff($0)
    next
}

(part == "positionals" || part == "options") && /^  [^ ]/ {
    line = substr($0, 3)
    split_at = index(line, "  ")
    field = split_at ? substr(line, 1, split_at - 1) : line
    if (field == "-h,--help")
        next
    pending = tag(field, part == "positionals")
    if (split_at) {
        text = substr(line, split_at)
        sub(/^ +/, "", text)
        item(text)
    }
    next
}

(part == "positionals" || part == "options") && /^   +[^ ]/ && pending != "" {
    text = $0
    sub(/^ +/, "", text)
    item(text)
    next
}
