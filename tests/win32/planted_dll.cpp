// A DLL that the test puts beside its program, as someone might plant one
// beside the setup program in a download folder.
extern "C" __declspec(dllexport) int kelvarion_planted() { return 1; }
