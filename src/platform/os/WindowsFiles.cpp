// File-system primitives for Windows.
