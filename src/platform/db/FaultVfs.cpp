#include "FaultVfs.h"

#include "platform/os/FaultSeam.h"

#include <sqlite3.h>

namespace db {

namespace {

sqlite3_vfs* base = nullptr;
sqlite3_vfs shim;
sqlite3_io_methods methods;

// The base file follows our header in the same allocation.
struct ShimFile {
    sqlite3_file header;
    sqlite3_file* inner() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

ShimFile* shimOf(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f); }

int xClose(sqlite3_file* f) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods ? in->pMethods->xClose(in) : SQLITE_OK;
}
int xRead(sqlite3_file* f, void* p, int n, sqlite3_int64 off) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xRead(in, p, n, off);
}
int xWrite(sqlite3_file* f, const void* p, int n, sqlite3_int64 off) {
    fault::Step("db.write");
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xWrite(in, p, n, off);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 size) {
    fault::Step("db.truncate");
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xTruncate(in, size);
}
int xSync(sqlite3_file* f, int flags) {
    fault::Step("db.sync");
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xSync(in, flags);
}
int xFileSize(sqlite3_file* f, sqlite3_int64* size) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xFileSize(in, size);
}
int xLock(sqlite3_file* f, int l) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xLock(in, l);
}
int xUnlock(sqlite3_file* f, int l) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xUnlock(in, l);
}
int xCheckReservedLock(sqlite3_file* f, int* out) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xCheckReservedLock(in, out);
}
int xFileControl(sqlite3_file* f, int op, void* arg) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xFileControl(in, op, arg);
}
int xSectorSize(sqlite3_file* f) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xSectorSize(in);
}
int xDeviceCharacteristics(sqlite3_file* f) {
    sqlite3_file* in = shimOf(f)->inner();
    return in->pMethods->xDeviceCharacteristics(in);
}

int xOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
    ShimFile* s = shimOf(f);
    s->header.pMethods = nullptr;
    const int rc = base->xOpen(base, name, s->inner(), flags, outFlags);
    // Version 1 methods only: no WAL (the store never uses it), no memory mapping.
    if (s->inner()->pMethods) s->header.pMethods = &methods;
    return rc;
}
int xDelete(sqlite3_vfs*, const char* name, int syncDir) {
    fault::Step("db.delete");
    return base->xDelete(base, name, syncDir);
}
int xAccess(sqlite3_vfs*, const char* name, int flags, int* out) { return base->xAccess(base, name, flags, out); }
int xFullPathname(sqlite3_vfs*, const char* name, int n, char* out) { return base->xFullPathname(base, name, n, out); }
void* xDlOpen(sqlite3_vfs*, const char* name) { return base->xDlOpen(base, name); }
void xDlError(sqlite3_vfs*, int n, char* msg) { base->xDlError(base, n, msg); }
void (*xDlSym(sqlite3_vfs*, void* h, const char* sym))(void) { return base->xDlSym(base, h, sym); }
void xDlClose(sqlite3_vfs*, void* h) { base->xDlClose(base, h); }
int xRandomness(sqlite3_vfs*, int n, char* out) { return base->xRandomness(base, n, out); }
int xSleep(sqlite3_vfs*, int us) { return base->xSleep(base, us); }
int xCurrentTime(sqlite3_vfs*, double* t) { return base->xCurrentTime(base, t); }
int xGetLastError(sqlite3_vfs*, int n, char* out) { return base->xGetLastError(base, n, out); }

}  // namespace

void InstallFaultVfs() {
    if (base) return;
    base = sqlite3_vfs_find(nullptr);
    methods = sqlite3_io_methods{};
    methods.iVersion = 1;
    methods.xClose = xClose;
    methods.xRead = xRead;
    methods.xWrite = xWrite;
    methods.xTruncate = xTruncate;
    methods.xSync = xSync;
    methods.xFileSize = xFileSize;
    methods.xLock = xLock;
    methods.xUnlock = xUnlock;
    methods.xCheckReservedLock = xCheckReservedLock;
    methods.xFileControl = xFileControl;
    methods.xSectorSize = xSectorSize;
    methods.xDeviceCharacteristics = xDeviceCharacteristics;
    shim = sqlite3_vfs{};
    shim.iVersion = 1;
    shim.szOsFile = int(sizeof(ShimFile)) + base->szOsFile;
    shim.mxPathname = base->mxPathname;
    shim.zName = "lobrix-fault";
    shim.xOpen = xOpen;
    shim.xDelete = xDelete;
    shim.xAccess = xAccess;
    shim.xFullPathname = xFullPathname;
    shim.xDlOpen = xDlOpen;
    shim.xDlError = xDlError;
    shim.xDlSym = xDlSym;
    shim.xDlClose = xDlClose;
    shim.xRandomness = xRandomness;
    shim.xSleep = xSleep;
    shim.xCurrentTime = xCurrentTime;
    shim.xGetLastError = xGetLastError;
    sqlite3_vfs_register(&shim, 1);
}

}  // namespace db
