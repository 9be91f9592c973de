#include "noteupload.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "entityschema.h"
#include "filestore.h"
#include "requesthandler.h"

namespace {

constexpr std::size_t kMaxTextPart = 4096;

QString text(const char *utf8) { return QString::fromUtf8(utf8); }
QString fromStd(const std::string &s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

} // namespace

NoteUpload::NoteUpload(const FileStore &files) : files(files) {}

NoteUpload::~NoteUpload()
{
    if (out >= 0)
        ::close(out);
    if (!tempPath.empty())
        ::unlink(tempPath.c_str());
}

void NoteUpload::endTextPart()
{
    if (currentPart == QLatin1String("addUpdate"))
        mode = fromStd(textValue);
    else if (currentPart == QLatin1String("oldFileName"))
        oldName = fromStd(textValue);
}

void NoteUpload::part(const MultipartReader::Part &part)
{
    endTextPart();
    currentPart = fromStd(part.name);
    textValue.clear();
    if (currentPart != QLatin1String("bitmap") || out >= 0 || !refusal.isEmpty())
        return;
    name = FileStore::plainName(fromStd(part.filename));
    if (name.isEmpty()) {
        refusal = text("文件名无效，无法保存");
        return;
    }
    std::string path = QFile::encodeName(files.incomingFolder() + QStringLiteral("/upload-XXXXXX")).toStdString();
    out = ::mkostemp(path.data(), O_CLOEXEC);
    if (out < 0)
        refusal = text("文件保存失败");
    else
        tempPath = path;
}

void NoteUpload::data(const char *bytes, std::size_t size)
{
    if (currentPart == QLatin1String("bitmap")) {
        if (out >= 0 && refusal.isEmpty()) {
            for (std::size_t done = 0; done < size;) {
                const ssize_t n = ::write(out, bytes + done, size - done);
                if (n < 0 && errno == EINTR)
                    continue;
                if (n <= 0) {
                    refusal = text("文件保存失败");
                    break;
                }
                done += static_cast<std::size_t>(n);
            }
            written += static_cast<qint64>(size);
        }
    } else if (textValue.size() + size <= kMaxTextPart) {
        textValue.append(bytes, size);
    }
}

QJsonObject NoteUpload::finish()
{
    endTextPart();
    currentPart.clear();
    if (refusal.isEmpty() && mode != QLatin1String("add") && mode != QLatin1String("update"))
        refusal = text("上传方式(addUpdate)只能是add或update");
    if (refusal.isEmpty() && out < 0)
        refusal = text("上传内容缺少文件(bitmap)");
    if (refusal.isEmpty() && written == 0)
        refusal = text("文件内容为空，无法保存");
    if (refusal.isEmpty() && ::fdatasync(out) != 0)
        refusal = text("文件保存失败");
    const bool update = mode == QLatin1String("update");
    const QString old = update ? FileStore::plainName(oldName) : QString();
    if (refusal.isEmpty()) {
        // Stored names carry a time stamp: a new file that meets an existing one
        // of the same name is an error, not a replacement.
        const FileStore::Placed placed = files.place(QFile::decodeName(tempPath.c_str()), QStringLiteral("note"), name, update);
        if (placed == FileStore::Placed::Exists)
            refusal = text("同名文件已存在，上传的文件未保存");
        else if (placed == FileStore::Placed::Failed)
            refusal = text("文件保存失败");
    }
    if (!refusal.isEmpty())
        return RequestHandler::failure(refusal);
    if (!old.isEmpty() && old != name)
        RequestHandler::releaseFiles(*EntitySchema::find(QStringLiteral("note")), {old});
    return RequestHandler::success(name, QJsonValue(QJsonValue::Null));
}
