// A shared library without plugin metadata.
extern "C" int plainLibraryAnswer()
{
    return 42;
}
