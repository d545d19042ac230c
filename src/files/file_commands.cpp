// Reading and writing a parameter file as the File commands do.
#include "files/file_commands.h"

#include <istream>
#include <sstream>

#include "files/atomic_file.h"
#include "files/param_file.h"
#include "files/word_reader.h"

TOpenResult OpenParamFile(const std::string& path, TParamImage& image, bool& extMonitor) {
    // Only a regular file is read (a folder or a device is refused like a file that cannot be
    // opened), and a read error part way is reported the same way.
    TInputFile file;
    if (!file.Open(path)) return TOpenResult::CannotOpen;
    // Read into a copy: the image changes only once the whole file has been taken.
    std::istream in(&file);
    TParamImage loaded = image;
    bool ext = extMonitor;
    const bool matched = ReadParamFile(in, loaded, ext);
    const bool readError = file.Failed() || in.bad();
    file.Close();
    if (readError) return TOpenResult::CannotOpen;
    if (!matched) return TOpenResult::Unmatched;
    image = loaded;
    extMonitor = ext;
    return TOpenResult::Ok;
}

bool SaveParamFile(TAtomicFile& file, const TParamImage& image, bool extMonitor) {
    std::ostringstream text;
    WriteParamFile(text, image, extMonitor);
    return file.Write(text.str()) && file.Commit();
}
