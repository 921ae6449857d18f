// The system checks the size field of some structures it is handed and
// refuses a structure of another size. The shipped programs are 32-bit, and
// the 64-bit build the tests may run on has other sizes, so each structure we
// fill is asserted where it is filled, for the shipped build only.
#pragma once

#if defined(_WIN32) && !defined(_WIN64)
#define EL_ASSERT_SHIPPED_SIZE(type, bytes) \
    static_assert(sizeof(type) == (bytes), #type " is not the size the 32-bit system expects")
#else
#define EL_ASSERT_SHIPPED_SIZE(type, bytes) static_assert(true, "")
#endif
