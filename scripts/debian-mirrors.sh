#!/usr/bin/env bash
# Prints the Debian mirrors that this machine's apt takes for bookworm, one a line: the archive's,
# then the security archive's; deb.debian.org's for either that its sources do not name. Reads
# the sources as apt does, under APT_DIR: sources.list and sources.list.d/*.list, one source a
# line, and sources.list.d/*.sources, deb822 stanzas; a mirror list (mirror+file:) gives its
# first mirror; only http and https mirrors serve (the root cannot see the machine's files).
# Usage: scripts/debian-mirrors.sh [APT_DIR]   (/etc/apt when not given)
set -euo pipefail
dir=${1:-/etc/apt}
shopt -s nullglob

# Each "deb" source's first URI and one of its suites, "URI<tab>SUITE", in apt's order.
sources() {
    [[ ! -f $dir/sources.list ]] || one_line_sources "$dir/sources.list"
    local file
    for file in "$dir"/sources.list.d/*.{list,sources}; do
        if [[ $file == *.list ]]; then one_line_sources "$file"; else deb822_sources "$file"; fi
    done
}
# deb [OPTIONS] URI SUITE COMPONENT...
one_line_sources() {
    sed -E 's/#.*//; s/\[[^]]*\]//' "$1" | awk '$1 == "deb" && NF >= 3 { print $2 "\t" $3 }'
}
# Stanzas of "Field: value" lines, a value going on in lines that begin with a blank.
deb822_sources() {
    awk 'BEGIN { RS = ""; FS = "\n" }
        { delete field
          for (i = 1; i <= NF; i++) {
              if ($i ~ /^#/) continue
              if ($i ~ /^[ \t]/) { field[name] = field[name] " " $i; continue }
              name = tolower(substr($i, 1, index($i, ":") - 1)); field[name] = substr($i, index($i, ":") + 1)
          }
          if (tolower(field["enabled"]) ~ /no/ || (" " field["types"] " ") !~ /[ \t]deb[ \t]/) next
          split(field["uris"], uris, /[ \t]+/); count = split(field["suites"], suites, /[ \t]+/)
          uri = uris[1] == "" ? uris[2] : uris[1]
          for (j = 1; j <= count; j++) if (suites[j] != "") print uri "\t" suites[j] }' "$1"
}
# mirror SUITE FALLBACK: the first usable mirror of the sources for SUITE, or FALLBACK.
mirror() {
    local uri suite
    while IFS=$'\t' read -r uri suite; do
        [[ $suite == "$1" ]] || continue
        [[ $uri != mirror+file://* ]] ||
            uri=$(sed -E 's/#.*//' "${uri#mirror+file://}" 2>/dev/null | awk 'NF { print $1; exit }')
        [[ $uri =~ ^https?:// ]] && echo "${uri%/}" && return
    done < <(sources)
    echo "$2"
}
mirror bookworm http://deb.debian.org/debian
mirror bookworm-security http://deb.debian.org/debian-security
