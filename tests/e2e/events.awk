# Turns Wine's ReportEventW debug output into "TYPE ID MESSAGE" lines (see e2e_events in lib.sh).
# Wine writes, per entry, a fixme line with the arguments and then one line per insertion string,
# all prefixed with the thread id; entries of different threads may interleave, so pending
# entries are kept per thread. Portable awk: Debian's default awk is mawk.

function hex_value(text,    digits, value, i) {
    digits = "0123456789abcdef"
    sub(/^0x/, "", text)
    text = tolower(text)
    value = 0
    for (i = 1; i <= length(text); i++)
        value = value * 16 + index(digits, substr(text, i, 1)) - 1
    return value
}

function thread_of(line) {
    return substr(line, 1, index(line, ":") - 1)
}

# Undoes the two escapes of Wine's debugstr_w that can be undone without ambiguity.
function unescape(text,    result, c, i) {
    result = ""
    for (i = 1; i <= length(text); i++) {
        c = substr(text, i, 1)
        if (c == "\\" && (substr(text, i + 1, 1) == "\\" || substr(text, i + 1, 1) == "\"")) {
            i++
            c = substr(text, i, 1)
        }
        result = result c
    }
    return result
}

function emit(thread) {
    print kind[thread] " " code[thread] (message[thread] == "" ? "" : " " message[thread])
    delete left[thread]
}

/^[0-9a-f]+:fixme:advapi:ReportEventW \(/ {
    thread = thread_of($0)
    arguments = $0
    sub(/^[^(]*\(/, "", arguments)
    sub(/\).*$/, "", arguments)
    split(arguments, field, ",")
    kind[thread] = hex_value(field[2])
    code[thread] = hex_value(field[4]) % 65536
    message[thread] = ""
    left[thread] = hex_value(field[6])
    if (left[thread] == 0)
        emit(thread)
    next
}

/^[0-9a-f]+:(trace|warn|err):eventlog:ReportEventW L"/ {
    thread = thread_of($0)
    if (!(thread in left))
        next
    text = $0
    sub(/^[^"]*"/, "", text)
    if (!sub(/"\.\.\.$/, "...", text))
        sub(/"$/, "", text)
    message[thread] = message[thread] (message[thread] == "" ? "" : " | ") unescape(text)
    if (--left[thread] == 0)
        emit(thread)
}
