#include "datagen/program_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "datagen/guidance.h"
#include "datagen/help_page.h"
#include "datagen/moon_picture.h"
#include "datagen/nature_sounds.h"
#include "datagen/start_tune.h"

namespace somnara::datagen {

namespace fs = std::filesystem;

namespace {

// Writes beside the target and renames, so an interrupted run never leaves half a file
// where the program would find it.
void WriteWhole(const fs::path& path, const void* data, size_t size) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec)
    throw std::runtime_error("cannot create the folder " + path.parent_path().string() + ": " +
                             ec.message());
  fs::path temporary = path;
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
      throw std::runtime_error("cannot write " + temporary.string() + ": " + std::strerror(errno));
    out.write(static_cast<const char*>(data), std::streamsize(size));
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      throw std::runtime_error("cannot write " + temporary.string());
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    throw std::runtime_error("cannot move " + temporary.string() + " to " + path.string() + ": " +
                             ec.message());
  }
}

void WriteWhole(const fs::path& path, const Bytes& bytes) {
  WriteWhole(path, bytes.data(), bytes.size());
}

}  // namespace

void WriteProgramFiles(const fs::path& folder,
                       const std::function<void(const std::string&)>& progress) {
  std::error_code ec;
  if (fs::exists(folder, ec) && !fs::is_directory(folder, ec))
    throw std::runtime_error(folder.string() + " exists and is not a folder");

  progress("pend.gif: a sleeping moon");
  WriteWhole(folder / "pend.gif", RenderMoonPicture());

  progress("sound/start.mid: the start-up lullaby");
  WriteWhole(folder / "sound" / "start.mid", RenderStartTune());

  for (const NatureSound& sound : NatureSounds()) {
    progress(sound.file_name + ": " + sound.description);
    WriteWhole(folder / sound.file_name, RenderNatureSound(sound));
  }

  progress("somna.dll: the spoken guidance");
  WriteWhole(folder / "somna.dll", RenderGuidance(folder / ".guidance-speech.wav"));

  progress("help/help.html: the help page");
  std::string page = RenderHelpPage();
  WriteWhole(folder / "help" / "help.html", page.data(), page.size());
}

}  // namespace somnara::datagen
