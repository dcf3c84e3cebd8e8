#include "Program.h"

int main(int argc, char* argv[]) {
    return sumwise::app::RunProgram(argc, argv);
}
