// The program that links one layer alone, to show it needs nothing above it.
int main() { return 0; }
