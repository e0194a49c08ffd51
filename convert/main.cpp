#include "convert/CConvertProgram.h"

int main(int argc, char** argv) {
    return CConvertProgram::Run(argc, argv);
}
