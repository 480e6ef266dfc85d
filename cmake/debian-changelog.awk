# Writes the released versions of CHANGELOG.md, in the Keep a Changelog
# form ("## [1.0.0] - 2026-12-09", "### Added", "- an item" and its
# continuation lines indented by two blanks), as a Debian changelog: the
# form Debian's tools read a package's changelog.gz in. Unreleased changes
# are left out. Variables: package, maintainer ("name <address>").
function close_entry(   command, when) {
  if (version == "") return
  command = "date -u -R -d " date
  command | getline when
  close(command)
  printf "\n -- %s  %s\n", maintainer, when
  version = ""
}
/^## \[/ {
  close_entry()
  if ($0 ~ /\[Unreleased\]/) next
  version = $2
  gsub(/[][]/, "", version)
  date = $4
  printf "%s%s (%s) unstable; urgency=medium\n", (entries++ ? "\n" : ""), package, version
  next
}
version == "" { next }
/^### / { printf "\n  * %s:\n", substr($0, 5); next }
/^- / { printf "    %s\n", $0; next }
/^  / { printf "      %s\n", substr($0, 3); next }
END { close_entry() }
