#!/usr/bin/env bash
# check-imports.sh ARCH FILE...: fails when a program or library needs a DLL that every
# Windows has not (everything else is linked statically), or is built for another
# architecture than ARCH (i686 or x86_64). Lists each file's DLLs.
set -u
arch=$1
shift
case "$arch" in
i686) format=pei-i386 ;;
x86_64) format=pei-x86-64 ;;
*)
    echo "check-imports: unknown architecture $arch" >&2
    exit 2
    ;;
esac
# The DLLs of Windows itself that the program and its language module may use.
system="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll hhctrl.ocx kernel32.dll msvcrt.dll
        ole32.dll oleaut32.dll shell32.dll user32.dll"
status=0
for file in "$@"; do
    if ! dump=$(x86_64-w64-mingw32-objdump -p "$file" 2>&1); then
        echo "check-imports: $file cannot be read: $dump"
        status=1
        continue
    fi
    if ! grep -q "file format $format\$" <<<"$dump"; then
        echo "check-imports: $file is not a $arch file ($(grep -o 'file format .*' <<<"$dump"))"
        status=1
    fi
    dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z' | sort -u)
    echo "$(basename "$file"): $(echo $dlls)"
    for dll in $dlls; do
        if ! grep -qw -- "$dll" <<<"$system"; then
            echo "check-imports: $file needs $dll, which Windows does not have"
            status=1
        fi
    done
done
exit $status
