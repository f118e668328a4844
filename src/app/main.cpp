// Orbelle: a self-running demo. Everything lives in the library; this is only the entry point.
#include "app/App.hpp"

int main() {
    return runProgram();
}
