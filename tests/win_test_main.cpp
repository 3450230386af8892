// Entry of the Windows test executable: the product's code finds its resources through
// ModuleInstance, which the real entry function would have set.
#include <gtest/gtest.h>

#include "common/process_state.h"

int main(int argc, char** argv) {
    ModuleInstance = GetModuleHandleA(nullptr);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
