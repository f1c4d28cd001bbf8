// The unit whose compilation makes the precompiled header the other targets reuse.
