# Wine's ReportEventW debug output as lines "TYPE ID MESSAGE": TYPE 1 error, 2 warning, 4 information;
# ID the id's low 16 bits; MESSAGE the strings joined by " | ", as Wine escapes and cuts them ("...").
# Wine writes a fixme line with the arguments, then a line per string, each behind the thread id;
# threads may interleave. mawk has no hexadecimal numbers.

function hex(text,    value, i) {
    for (i = 3; i <= length(text); i++)
        value = value * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
    return value
}

{ thread = substr($0, 1, index($0, ":") - 1) }

/^[0-9a-f]+:fixme:advapi:ReportEventW \(/ {
    split(substr($0, index($0, "(") + 1), field, ",")
    entry[thread] = hex(field[2]) " " hex(field[4]) % 65536
    message[thread] = ""
    left[thread] = hex(field[6])
}

/^[0-9a-f]+:(trace|warn|err):eventlog:ReportEventW L"/ && left[thread] > 0 {
    text = substr($0, index($0, "\"") + 1)
    if (!sub(/"\.\.\.$/, "...", text))
        sub(/"$/, "", text)
    message[thread] = message[thread] (message[thread] == "" ? " " : " | ") text
    left[thread]--
}

left[thread] == 0 && thread in entry {
    print entry[thread] message[thread]
    delete entry[thread]
}
