#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 programs, 1 when it does
# not (some kernels are built or booted without 32-bit emulation). It starts
# the smallest such program, which only exits, once: a look at the kernel's
# settings could not tell a disabled emulation from a missing one.
set -u
probe=$(mktemp "${TMPDIR:-/tmp}/quibra-i386.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
# An i386 ELF executable: its header, one loadable segment, and the code
# "mov eax, 1; xor ebx, ebx; int 0x80" (the exit(0) system call).
printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null && exit 0
exit 1
