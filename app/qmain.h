#ifndef QMAIN_H
#define QMAIN_H

// Start-up routine: the platform's entry point calls it with the program's arguments.
int qMain(int argc, char **argv);

#endif // QMAIN_H
