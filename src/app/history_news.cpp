#include "app/history_news.h"

#include <QDir>

#include "app/history_texts.h"

namespace tadjust {

namespace {

using history::HistoryProblem;

QString reason(const HistoryNews& news, const QString& file, bool english) {
  switch (news.problem) {
    case HistoryProblem::NoFolder:
      return history_texts::NoFolder.in(english).arg(file);
    case HistoryProblem::FolderNotWritable:
      return history_texts::FolderReadOnly.in(english).arg(file);
    case HistoryProblem::NotAFile:
      return history_texts::NotAFile.in(english).arg(file);
    case HistoryProblem::Locked:
      return history_texts::Locked.in(english).arg(file);
    case HistoryProblem::DiskFull:
      return history_texts::DiskFull.in(english).arg(file);
    case HistoryProblem::ReadOnly:
      return history_texts::FileReadOnly.in(english).arg(file);
    case HistoryProblem::CannotOpen:
      return history_texts::CannotOpen.in(english).arg(file, news.detail);
    case HistoryProblem::NewerSchema:
      return history_texts::NewerSchema.in(english).arg(file, news.detail);
    case HistoryProblem::None:
    case HistoryProblem::NotRecorded:
    case HistoryProblem::ChainBroken:
      break;
  }
  return history_texts::CannotWrite.in(english).arg(file, news.detail);
}

}  // namespace

QStringList historyNewsLines(const std::vector<HistoryNews>& news, const QString& path,
                             bool useEnglish) {
  const QString file = QDir::toNativeSeparators(path);
  QStringList lines;
  for (const HistoryNews& item : news) {
    switch (item.kind) {
      case HistoryNews::Kind::Unavailable:
        lines
            << history_texts::HistoryUnavailable.in(useEnglish).arg(reason(item, file, useEnglish));
        break;
      case HistoryNews::Kind::Waiting:
        lines << history_texts::HistoryWaiting.in(useEnglish).arg(reason(item, file, useEnglish));
        break;
      case HistoryNews::Kind::KeptStored:
        lines << history_texts::HistoryKeptStored.in(useEnglish);
        break;
      case HistoryNews::Kind::CorruptKeptAside:
        lines << history_texts::CorruptKeptAside.in(useEnglish).arg(item.detail);
        break;
      case HistoryNews::Kind::OpenWritesLeft:
        lines << history_texts::OpenWritesLeft.in(useEnglish).arg(item.detail);
        break;
    }
  }
  lines.removeDuplicates();
  return lines;
}

}  // namespace tadjust
