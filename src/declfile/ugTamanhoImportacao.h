#pragma once
#include <QString>
#include <optional>

namespace declfile {

// The most contracts a file may declare and still be imported or analysed
// whole; a larger one must be split first.
constexpr qint64 kMaxContractsWhole = 50000;

// What the size gate reads from a file's trailer.
struct TrailerCount {
    bool readable = false;            // false: the file could not be opened or read
    std::optional<qint64> contracts;  // the trailer's contract count (characters 30-35), or none
};

// Reads the contract count of a declaration file's trailer: the last
// non-blank record, taken by the file's own record step, so that a file
// without line ends or with CR alone is read at its trailer and not at its
// header. None when that record has 35 characters or fewer or its characters
// 30-35 are not all digits, or when the file is larger than any declaration
// can be (it is not read then).
TrailerCount TrailerContractCount(const QString& fileName);

}  // namespace declfile
