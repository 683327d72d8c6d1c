// The object the precompiled headers are built with.
