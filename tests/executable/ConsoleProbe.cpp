// A console program: CheckExecutable.cmake must refuse it.
int main() { return 0; }
