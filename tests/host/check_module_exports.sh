#!/usr/bin/env bash
# Checks what a host can see of the built module: only the entry points, and (for the DLL) a
# 32-bit PE that imports system DLLs alone, none of the compiler's runtime libraries.
set -euo pipefail
objdump=$1
module=$2
allowed="GetPluginFactory InitDll ExitDll ModuleEntry ModuleExit VSTPluginMain"
status=0

check_exports() {
  local required=$1; shift
  local name
  for name in $required; do
    if ! printf '%s\n' "$@" | grep -qx -- "$name"; then echo "missing export: $name"; status=1; fi
  done
  for name in "$@"; do
    if ! grep -qw -- "$name" <<<"$allowed"; then echo "unexpected export: $name"; status=1; fi
  done
}

if "$objdump" -f "$module" | grep -q "file format pei-i386"; then
  dump=$("$objdump" -p "$module")
  # Names listed after "[Ordinal/Name Pointer] Table" up to the next blank line.
  mapfile -t exports < <(awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && NF==0{exit} on{print $NF}' <<<"$dump")
  check_exports "GetPluginFactory InitDll ExitDll" "${exports[@]}"
  mapfile -t imports < <(awk '/DLL Name:/{print $3}' <<<"$dump")
  for dll in "${imports[@]}"; do
    case "${dll,,}" in
      lib*) echo "imports a runtime library: $dll"; status=1 ;;
    esac
  done
  echo "exports: ${exports[*]}"
  echo "imports: ${imports[*]}"
elif "$objdump" -f "$module" | grep -q "file format elf64-x86-64"; then
  mapfile -t exports < <("$objdump" -T "$module" | awk '$0 !~ /\*UND\*/ && ($2 == "g" || $2 == "w") && $(NF) != "" {print $NF}' | grep -v '^Base$' || true)
  check_exports "GetPluginFactory InitDll ExitDll ModuleEntry ModuleExit" "${exports[@]}"
  echo "exports: ${exports[*]}"
else
  echo "not a PE32 DLL or an x86-64 ELF object: $module"
  status=1
fi
exit $status
