#pragma once

namespace kr6::bench {

// Holds the calling thread to one of the cores the process may run on, for as long as it
// lives, and then lets it run where it ran before.
class TCoreBinding {
public:
    // Core counts the cores the process may use, from 0.
    explicit TCoreBinding(int Core);
    ~TCoreBinding();
    TCoreBinding(const TCoreBinding&) = delete;
    TCoreBinding& operator=(const TCoreBinding&) = delete;

    bool Bound() const { return FBound; }

private:
    bool FBound = false;
};

// The number of cores the process may use.
int UsableCores();

} // namespace kr6::bench
