#include "ui/beep.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSoundEffect>
#include <QStandardPaths>
#include <QUrl>
#include <QtEndian>
#include <cmath>

namespace {

// A soft 880 Hz tone of 70 ms with short fades, as 16-bit mono PCM.
QByteArray toneWav()
{
    constexpr int rate = 22050;
    constexpr int samples = rate * 70 / 1000;
    constexpr int fade = rate * 8 / 1000;
    QByteArray pcm(samples * 2, '\0');
    for (int i = 0; i < samples; ++i) {
        double envelope = 1.0;
        if (i < fade) envelope = double(i) / fade;
        if (samples - i < fade) envelope = double(samples - i) / fade;
        const double value = 0.35 * envelope * std::sin(2.0 * M_PI * 880.0 * i / rate);
        qToLittleEndian<qint16>(static_cast<qint16>(value * 32767), pcm.data() + 2 * i);
    }
    QByteArray wav;
    auto put32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto put16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    put32(36 + pcm.size());
    wav.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(1);
    put32(rate);
    put32(rate * 2);
    put16(2);
    put16(16);
    wav.append("data");
    put32(pcm.size());
    wav.append(pcm);
    return wav;
}

QString toneFile()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    const QString path = dir + QStringLiteral("/dovanel-beep.wav");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(toneWav());
    return path;
}

} // namespace

SoundBeep::SoundBeep() = default;
SoundBeep::~SoundBeep() = default;

void SoundBeep::preload()
{
    if (effect_ || failed_) return;
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(toneFile()));
    effect_->setVolume(0.8f);
}

void SoundBeep::beep()
{
    preload();
    // QSoundEffect plays asynchronously, so a beep never holds up the next key.
    if (effect_ && effect_->status() != QSoundEffect::Error && effect_->isLoaded()) {
        effect_->play();
        return;
    }
    if (effect_ && effect_->status() == QSoundEffect::Error) {
        failed_ = true;
        effect_.reset();
    }
    QApplication::beep();
}
