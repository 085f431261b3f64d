#pragma once

// An exclusive lock on an open file, held on a descriptor of its own so that it outlasts the
// closing of the file's descriptor. Under node the WebAssembly runtime has neither locks nor
// second descriptors of one open file, and the lock counts as held.
class TFileLock {
public:
  explicit TFileLock(int fd);
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;
  ~TFileLock() { Release(); }

  bool Held() const;
  void Release();

private:
  int FHeld = -1;
};
