// A loadable module that is not the window: it lacks the window's entry point, as a module of
// another kind or version would.
extern "C" int DualisSomethingElse() {
    return 0;
}
