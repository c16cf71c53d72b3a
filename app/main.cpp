#include "app/StartUp.h"

int main(int argc, char **argv)
{
    return kotohana::runProgram(argc, argv);
}
