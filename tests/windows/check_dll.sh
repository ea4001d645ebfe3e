#!/usr/bin/env bash
# Reads a Windows build of the library from its PE headers: the DLL must export exactly the
# names of the export list, undecorated, each twin at the address of its function, and import
# from system DLLs only (the MinGW runtime is linked in). Given a C compiler and the header's
# directory, it also links a host through the import library (DLL.a), which must then import
# the plain names: on 32-bit x86 the compiler asks for "name@bytes".
# usage: check_dll.sh OBJDUMP DLL EXPORT_LIST [CC INCLUDE_DIR]
set -euo pipefail
objdump=$1 dll=$2 list=$3 cc=${4:-} include=${5:-}

dump=$(mktemp -d)
trap 'rm -rf "$dump"' EXIT
"$objdump" -p "$dll" > "$dump/headers"

# name RVA, one per export; and the imported DLLs, lower case.
awk '
  /^Export Address Table -- Ordinal Base/ { part = "eat"; next }
  /^\[Ordinal\/Name Pointer\] Table/ { part = "names"; next }
  /^$/ { part = "" }
  part == "eat" && match($0, /^\t\[ *[0-9]+\] \+base\[ *[0-9]+\] +[0-9a-f]+/) {
    split($0, f, /[][ \t]+/); rva[f[2]] = f[5]; next }
  part == "names" && /^\t\[ *[0-9]+\] / {
    split($0, f, /[][ \t]+/); print f[3], rva[f[2]] > "'"$dump"'/exports" }
  /^\tDLL Name: / { print tolower($3) > "'"$dump"'/imports" }
' "$dump/headers"
touch "$dump/exports" "$dump/imports"

status=0
fail() { echo "FAIL: $*" >&2; status=1; }

sed 's/#.*//' "$list" | awk 'NF { print $1 }' | sort > "$dump/listed"
cut -d' ' -f1 "$dump/exports" | sort > "$dump/exported"
[ -s "$dump/exported" ] || fail "$dll has no export table"
if ! diff -u "$dump/listed" "$dump/exported" > "$dump/diff"; then
  fail "exports differ from $list (- listed only, + exported only):"
  grep '^[-+][^-+]' "$dump/diff" | head -n 40 >&2
fi
if grep -q '[@?]\|^_' "$dump/exported"; then fail "decorated names: $(grep '[@?]\|^_' "$dump/exported" | head -n 5 | tr '\n' ' ')"; fi

# Twins: the second word of a list line names the function whose address the first shares.
while read -r twin target; do
  a=$(awk -v n="$twin" '$1 == n { print $2 }' "$dump/exports")
  b=$(awk -v n="$target" '$1 == n { print $2 }' "$dump/exports")
  [ -n "$a" ] && [ "$a" = "$b" ] || fail "twin $twin is not $target (${a:-none} vs ${b:-none})"
done < <(sed 's/#.*//' "$list" | awk 'NF == 2')

system='^(kernel32|ws2_32|msvcrt|ucrtbase|ntdll|advapi32|user32|bcrypt|api-ms-win-[a-z0-9-]+)\.dll$'
while read -r imported; do
  [[ $imported =~ $system ]] || fail "imports $imported, which is not a system DLL"
done < "$dump/imports"

if [ -n "$cc" ]; then
  printf '%s\n' '#include "zefraapi.h"' \
    'int main(void) { int32_t v; return ZEFRA_Exit_ETH(10) + ZEFRA_Get_RunSts(&v, 10) + ZEFRA_Get_PrgSts(&v, 10); }' \
    > "$dump/host.c"
  if "$cc" -I"$include" "$dump/host.c" "$dll.a" -o "$dump/host.exe"; then
    "$objdump" -p "$dump/host.exe" | awk '/DLL Name: zefraapi.dll/ { on = 1; next } on && /^$/ { on = 0 } on && NF == 3 { print $3 }' \
      | sort > "$dump/host-imports"
    printf '%s\n' ZEFRA_Exit_ETH ZEFRA_Get_PrgSts ZEFRA_Get_RunSts | diff -u - "$dump/host-imports" >&2 \
      || fail "a host linked with the import library does not import the plain names"
  else
    fail "a host does not link with the import library $dll.a"
  fi
fi

[ $status = 0 ] && echo "$(basename "$dll"): $(wc -l < "$dump/exported") exports as listed, imports: $(sort -u "$dump/imports" | tr '\n' ' ')"
exit $status
