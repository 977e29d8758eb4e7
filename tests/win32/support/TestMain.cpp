#include "TestSupport.h"

int main(int argc, char** argv) {
    return kwtest::runAllTests(&argc, argv);
}
