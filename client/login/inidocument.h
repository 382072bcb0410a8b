#pragma once
// A small INI document in the manner of the Windows profile functions:
// "[section]" lines, "key=value" lines, names compared without regard to case,
// the first occurrence of a key wins, values trimmed and one pair of
// surrounding quotes removed. Lines it does not understand are kept as they
// are, so that rewriting a file loses nothing of it.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace vlm {

class IniDocument {
 public:
  // Decodes a file's bytes: UTF-16 or UTF-8 with a byte-order mark, else UTF-8
  // when the bytes are valid UTF-8, else Windows-1254 (the Turkish code page
  // that older writers used). An incomplete last character is dropped.
  static QString decode(const QByteArray& bytes);

  static IniDocument fromBytes(const QByteArray& bytes);
  static IniDocument fromText(const QString& text);

  std::optional<QString> value(const QString& section, const QString& key) const;
  // Replaces the key's first occurrence in the section, or adds it at the end
  // of the section, or adds the section at the end. Line breaks and NULs in
  // the value are dropped; a value that would not read back as it stands
  // (blanks at its ends, surrounding quotes) is written in double quotes.
  void setValue(const QString& section, const QString& key, const QString& value);

  // The text with the platform's line breaks, encoded as UTF-8 without a mark.
  QByteArray toUtf8() const;
  const QStringList& lines() const { return lines_; }

 private:
  QStringList lines_;
};

}  // namespace vlm
