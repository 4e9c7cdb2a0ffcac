#!/usr/bin/env bash
# Fails unless the Windows program imports only libraries of the system itself, so that it runs
# on a Windows machine without anything installed beside it.
# Usage: windows-imports.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=$1 program=$2
system="KERNEL32.dll msvcrt.dll USER32.dll GDI32.dll DDRAW.dll DSOUND.dll ole32.dll WINMM.dll ADVAPI32.dll"
imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || { echo "$program: no imported libraries found"; exit 1; }
bad=0
for dll in $imports; do
  case " ${system,,} " in
    *" ${dll,,} "*) ;;
    *) echo "$program imports $dll, which is not a library of the system"; bad=1 ;;
  esac
done
[ "$bad" -eq 0 ] || exit 1
echo "$program imports only system libraries:" $imports
