// Entry point off Windows: hands the arguments to the start-up routine, as the
// Windows entry point of the toolkit does there.
#include "qmain.h"

int main(int argc, char **argv)
{
    return qMain(argc, argv);
}
