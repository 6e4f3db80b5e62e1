// The object the precompiled test headers are built with.
