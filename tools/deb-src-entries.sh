# Source-package entries derived from the machine's own package sources; sourced, not run.
# The cross-build fetches libjpeg-turbo's source package, which needs deb-src entries. Rather
# than name an archive, they are made from the binary entries already configured, so a mirror
# or a proxy in those entries is kept as it is.

# True when an enabled source entry (deb-src) is configured under APT_DIR (normally /etc/apt).
has_deb_src_entries() {
  local apt=$1
  awk '
    function flush() { if (src && enabled) found = 1; src = 0; enabled = 1 }
    BEGIN { enabled = 1 }
    FNR == 1 { flush() }
    /^[ \t]*#/ { next }
    FILENAME ~ /\.list$/ && $1 == "deb-src" { found = 1 }
    FILENAME ~ /\.sources$/ {
      if ($0 ~ /^[ \t]*$/) { flush(); next }
      if (tolower($1) == "types:" && $0 ~ /[ \t]deb-src([ \t]|$)/) src = 1
      if (tolower($1) == "enabled:" && tolower($2) == "no") enabled = 0
    }
    END { flush(); exit found ? 0 : 1 }
  ' $(deb_src_files "$apt") /dev/null
}

# Prints, in the deb822 form, one deb-src entry for each enabled binary entry under APT_DIR
# that serves the release CODENAME (its suites CODENAME and CODENAME-*, such as the updates
# and security suites): the same URIs, those suites, the same components and Signed-By.
# Entries of other releases or of third-party archives are left out, as they often publish
# no source packages and would make the package index update fail.
deb_src_entries() {
  local apt=$1 codename=$2
  awk -v codename="$codename" '
    function ours(suite) { return suite == codename || index(suite, codename "-") == 1 }
    function emit(uris, suites, components, signedBy,    n, i, kept, list) {
      n = split(suites, list, /[ \t]+/)
      kept = ""
      for (i = 1; i <= n; i++) if (list[i] != "" && ours(list[i])) kept = kept (kept == "" ? "" : " ") list[i]
      if (kept == "" || uris == "") return
      if (printed++) print ""
      print "Types: deb-src"
      print "URIs: " uris
      print "Suites: " kept
      if (components != "") print "Components: " components
      if (signedBy != "") print "Signed-By: " signedBy
    }
    BEGIN { enabled = 1 }
    # Each file starts afresh: a stanza ends with its file.
    FNR == 1 { flush() }
    function value(line) { sub(/^[^:]*:[ \t]*/, "", line); sub(/[ \t]+$/, "", line); return line }
    function flush() {
      if (binary && enabled) emit(uris, suites, components, signedBy)
      binary = 0; enabled = 1; uris = suites = components = signedBy = ""; field = ""
    }
    # One-line form: deb [option=value ...] URI SUITE [COMPONENT ...]
    FILENAME ~ /\.list$/ {
      sub(/#.*/, "")
      if ($1 != "deb") next
      line = substr($0, index($0, "deb") + 3)
      options = ""
      if (match(line, /^[ \t]*\[[^]]*\]/)) {
        options = substr(line, RSTART, RLENGTH); line = substr(line, RSTART + RLENGTH)
        gsub(/[][]/, " ", options)
      }
      n = split(line, word, /[ \t]+/)
      first = (word[1] == "") ? 2 : 1
      comps = ""
      for (i = first + 2; i <= n; i++) if (word[i] != "") comps = comps (comps == "" ? "" : " ") word[i]
      key = ""
      m = split(options, option, /[ \t]+/)
      for (i = 1; i <= m; i++) if (tolower(option[i]) ~ /^signed-by=/) key = substr(option[i], 11)
      emit(word[first], word[first + 1], comps, key)
      next
    }
    # deb822 form: stanzas of fields, separated by blank lines.
    FILENAME ~ /\.sources$/ {
      if ($0 ~ /^#/) next
      if ($0 ~ /^[ \t]*$/) { flush(); next }
      if ($0 ~ /^[ \t]/) {
        # A continuation line, as in an inline Signed-By key block.
        if (field == "signed-by:") signedBy = signedBy "\n" $0
        next
      }
      field = tolower($1)
      if (field == "types:") binary = (" " value($0) " ") ~ /[ \t]deb[ \t]/
      else if (field == "uris:") uris = value($0)
      else if (field == "suites:") suites = value($0)
      else if (field == "components:") components = value($0)
      else if (field == "signed-by:") signedBy = value($0)
      else if (field == "enabled:") enabled = tolower(value($0)) != "no"
    }
    END { flush() }
  ' $(deb_src_files "$apt") /dev/null
}

# The files apt reads under APT_DIR, in its order: sources.list, then sources.list.d's
# *.list and *.sources (other names there, such as *.disabled, apt ignores).
deb_src_files() {
  local apt=$1 f
  [ -f "$apt/sources.list" ] && echo "$apt/sources.list"
  for f in "$apt"/sources.list.d/*.list "$apt"/sources.list.d/*.sources; do
    [ -f "$f" ] && echo "$f"
  done
  return 0
}
