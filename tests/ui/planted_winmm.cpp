// A stand-in for the system's sound library, planted beside a test program where a library
// loaded by its bare name would be found first. It makes no sound.
extern "C" __declspec(dllexport) int __stdcall sndPlaySoundW(const wchar_t*, unsigned) {
  return 1;
}
