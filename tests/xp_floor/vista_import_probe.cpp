// A program built for Vista: it imports GetTickCount64, which XP's kernel32
// lacks, beside GetTickCount, which XP has. The import check must name the
// first and only the first (test_check_imports.py). Built, never run.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>

int main() { return static_cast<int>((GetTickCount64() + GetTickCount()) % 2); }
