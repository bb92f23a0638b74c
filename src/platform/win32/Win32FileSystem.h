// The file system of Windows: wide-character paths throughout, so that a folder named Пример
// or 例 works as well as any other.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace quorvel {

// The moments of createReadOnly at which a crash leaves a different state on disk. From Opened
// until Kept the new file is marked for deletion, so Windows removes it with the process.
// Between its creation and that mark, and between Kept and Named, a file of the temporary name
// may stay: Windows has no unnamed file to link into place. The next creation removes it.
enum class CreateStep { Opened, Written, Synced, Sealed, Kept, Named };

class Win32FileSystem : public FileSystem {
 public:
  Result<std::string> readAll(const std::filesystem::path& path) override;
  bool exists(const std::filesystem::path& path) override;
  Result<void> createReadOnly(const std::filesystem::path& target, std::string_view bytes) override;
  Result<Ownership> ownership(const std::filesystem::path& path) override;
  void removeLeftovers(const std::filesystem::path& target) override;

  // The name a creation of `target` works under before the file is finished: hidden beside
  // it, the target's name and a random part, so that a leftover is known for ours.
  static bool isTemporaryName(const std::wstring& name, const std::wstring& target);

 protected:
  // Writes one chunk to an open file handle; returns the bytes written, or -1 with the reason
  // in GetLastError. Tests override it to inject a failure midway.
  virtual long writeChunk(void* file, const char* data, unsigned long size);
  // Called as createReadOnly passes each step, so that a test can stop the process there.
  virtual void reached(CreateStep /*step*/) {}
};

// The directory that holds the running executable.
std::filesystem::path programDirectory();

}  // namespace quorvel
