#pragma once
#include <QString>

// A folder on a small file system of its own, so that a test can fill it up
// as a user's disk fills. Mounting needs the right to mount (tests run as
// root in the build container); without it `mounted()` is false and the test
// skips itself.
class SmallDisk {
public:
    // Mounts a file system of `bytes` over `folder`, keeping what the folder held.
    SmallDisk(const QString& folder, qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    qint64 freeBytes() const;
    // Takes space with a filler file until about `bytes` are left free.
    void leaveFree(qint64 bytes);
    // Gives the filler's space back.
    void release();

private:
    QString folder_;
    bool mounted_ = false;
};
