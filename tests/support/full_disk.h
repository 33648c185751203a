// A disk that fills up under the profile functions, as they meet one: each
// write reports success but leaves the file cut short in the middle of what
// it wrote. Installed for the life of the object.
#pragma once

class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
};
