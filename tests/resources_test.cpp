// The pictures built into the program and the information windows' texts shipped in data/:
// each picture decodes from the resources with its size and colour depth, and each text
// reads through our RTF reader into clean, formatted text that covers what it must.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/rtf_reader.h"

namespace glimmora {
namespace {

void EnsureApp() {
  static int argc = 1;
  static char name[] = "resources_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
}

enum class Colour { Alpha, OpaqueColour, Grey };

struct Picture {
  const char* resource;
  const char* format;
  int width;
  int height;
  Colour colour;
};

TEST(BuiltInPictures, DecodeWithTheirSizeAndDepth) {
  EnsureApp();
  const Picture pictures[] = {
      {":/glimmora_icon.png", "png", 32, 32, Colour::Alpha},
      {":/glimmora_icon_16.png", "png", 16, 16, Colour::Alpha},
      {":/autostart_add.png", "png", 16, 16, Colour::Alpha},
      {":/autostart_remove.png", "png", 16, 16, Colour::OpaqueColour},
      {":/load_effects.png", "png", 16, 16, Colour::Alpha},
      {":/info_picture.jpg", "jpeg", 160, 305, Colour::OpaqueColour},
      {":/lpt_scheme.jpg", "jpeg", 320, 602, Colour::Grey},
  };
  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.resource);
    QImageReader reader(p.resource);
    EXPECT_EQ(reader.format().toStdString(), p.format);
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.width(), p.width);
    EXPECT_EQ(image.height(), p.height);
    switch (p.colour) {
      case Colour::Alpha:
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_EQ(image.depth(), 32);
        break;
      case Colour::OpaqueColour:
        EXPECT_FALSE(image.hasAlphaChannel());
        EXPECT_FALSE(image.isGrayscale());
        break;
      case Colour::Grey:
        EXPECT_EQ(image.format(), QImage::Format_Grayscale8);
        break;
    }
  }
}

RtfDocument ReadShipped(const std::string& name) {
  std::ifstream file(std::string(GLIMMORA_SOURCE_DIR) + "/data/" + name, std::ios::binary);
  EXPECT_TRUE(file) << name;
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return ReadRtf(bytes);
}

struct ShippedText {
  const char* file;
  std::vector<const char*> mustMention;  // UTF-8
};

TEST(ShippedTexts, ReadCleanlyAndCoverTheirSubject) {
  const ShippedText texts[] = {
      {"_spravka.rtf", {"Shift+Alt+F6", "Shift+Alt+F7", "Shift+Alt+F8",
                        "Нету",         "Ручной",       "Авто",
                        "Случайный",    "Уровень 1",    "Уровень 2",
                        "USBON",        "Инверсия",     "АРУ",
                        "Яркость",      "Шаг",          "LPT",
                        "Клава",        "DMX",          "PC5",
                        "setting.dat",  "LedColor.dat", ".patt",
                        ".lng",         "effect.sdu",   "speed=",
                        "delay=",       "автозагрузку", "Схема LPT-светомузыки"}},
      {"English_spravka.rtf", {"Shift+Alt+F6", "Shift+Alt+F7", "Shift+Alt+F8",
                               "None",         "Manual",       "Auto",
                               "Random",       "Level 1",      "Level 2",
                               "USBON",        "Inversion",    "AGC",
                               "Brightness",   "Step",         "LPT",
                               "Keyboard",     "DMX",          "PC5",
                               "setting.dat",  "LedColor.dat", ".patt",
                               ".lng",         "effect.sdu",   "speed=",
                               "delay=",       "autostart",    "LPT light-music scheme"}},
      {"_histori.rtf", {"v.2.14", "v.1.0"}},
      {"English_histori.rtf", {"v.2.14", "v.1.0"}},
      {"_avtori.rtf", {"командой Glimmora"}},
      {"English_avtori.rtf", {"Glimmora team"}},
  };
  for (const ShippedText& t : texts) {
    SCOPED_TRACE(t.file);
    const RtfDocument document = ReadShipped(t.file);
    const QString text = document.PlainText();
    for (const char* word : t.mustMention) EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
    // No RTF syntax may leak into what the viewer shows.
    EXPECT_FALSE(text.contains(u'\\'));
    EXPECT_FALSE(text.contains(u'{'));
    EXPECT_FALSE(text.contains(u'}'));
    EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
    // The title is a centred bold paragraph in a colour of the colour table.
    ASSERT_FALSE(document.paragraphs.empty());
    const RtfParagraph& title = document.paragraphs.front();
    EXPECT_EQ(title.alignment, RtfAlignment::Centre);
    ASSERT_FALSE(title.runs.empty());
    EXPECT_TRUE(title.runs.front().format.bold);
    EXPECT_EQ(title.runs.front().format.colour, std::optional<std::uint32_t>(0x003C96));
  }
}

}  // namespace
}  // namespace glimmora
