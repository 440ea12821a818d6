// File-system primitives for POSIX systems.
