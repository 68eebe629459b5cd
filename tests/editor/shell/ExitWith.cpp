// Stands in for the association tool in tests: exits with the code it was built with.
int main() { return MIRAVO_EXIT_CODE; }
