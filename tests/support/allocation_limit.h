// Memory that runs out, on purpose: while an AllocationLimit lives, every allocation through
// operator new of more than its number of bytes fails with std::bad_alloc, as when the machine
// has no more memory to give. A test program that uses it has operator new and delete replaced
// (by malloc and free) for its whole run; without a limit they behave as usual.
#pragma once

#include <cstddef>

class AllocationLimit {
public:
    explicit AllocationLimit(size_t bytes);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

private:
    size_t previous_;
};
