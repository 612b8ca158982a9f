#pragma once
// The settings file "Batora.ini": read once at start-up, never written.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace batora {

inline constexpr std::string_view kIniFileName = "Batora.ini";
inline constexpr std::string_view kRenameLogName = "Batora.log";
inline constexpr std::string_view kErrorLogName = "BatoraEr.log";

class clsIniFile {
 public:
  // Receives the error-log lines that reading the file produces (place, message).
  using ErrLogWriter = std::function<void(std::string_view sPlace, std::string_view sMsg)>;

  explicit clsIniFile(std::filesystem::path programFolder);

  // True when the file in the program's folder was opened and read to its end.
  bool ReadIniFile(std::string_view sFileName, const ErrLogWriter& outputErrLog);

  // "", "1", "2" or "3".
  std::string DefaultFindDirOption() const { return m_findDirOption; }
  // The depth a session starts with: the configured one, else 1 (the folder alone).
  int StartFindDirOption() const;
  // An existing path or "".
  std::string DefaultFindDirPath() const { return m_findDirPath; }
  bool OutputLogRename() const;
  // Lives in memory until the program ends.
  void OutputLogRename(bool bDat);
  bool OutputLogError() const;
  std::filesystem::path LogRename_FName() const;
  std::filesystem::path LogErr_FName() const;
  std::string SerchFileName() const { return m_serchFileName; }

  const std::filesystem::path& programFolder() const { return m_programFolder; }

 private:
  std::string CheckExistFile(const std::string& sPath, std::string_view sKey, int iFindOption,
                             bool noLog, const ErrLogWriter& outputErrLog) const;
  void storeValue(const std::string& key, std::string value);
  void runChecks(const ErrLogWriter& outputErrLog);
  std::filesystem::path logPath(const std::string& folder, std::string_view name) const;

  std::filesystem::path m_programFolder;
  std::string m_findDirOption;
  std::string m_findDirPath;
  std::string m_outputLogRename;
  std::string m_outputLogError;
  std::string m_logRenameDir;
  std::string m_logErrorDir;
  std::string m_serchFileName;
};

// The truth value of a switch's text: True/False in any case, or a number (0 = false).
// Empty when the text has none.
std::optional<bool> truthValue(std::string_view text);

}  // namespace batora
