#include "shell/Application.h"

int main(int argc, char** argv) {
    return zorvik::runApplication(argc, argv);
}
