#!/usr/bin/env bash
# Prints the machine a set of figures came from, as a Markdown section, for
# the evidence scripts. Any arguments are printed as one more line (the
# compiler and build type that made what was measured).
echo "## Machine"
echo
echo '```'
uname -a
lscpu | grep -E '^(Model name|CPU\(s\)|Thread|L1d|L2|L3)' || true
grep MemTotal /proc/meminfo || true
[ $# -gt 0 ] && echo "$*"
echo '```'
echo
