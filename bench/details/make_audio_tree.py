#!/usr/bin/python3
"""make_audio_tree.py FOLDER [COUNT]: a tree of COUNT (default 10,000) small real audio files
with tags, for details_bench: Artist/Album/NN Title.ext, a few seconds of silence each, in the
mix of a music collection (most MP3 with ID3v2.3 or 2.4, some with legacy Windows-1251 Latin-1
frames and an ID3v1 tag; FLAC, Ogg Vorbis, Opus, M4A, WMA and WAV). Needs ffmpeg and
python3-mutagen (scripts/common.sh AUDIO_PACKAGES)."""
import os
import random
import shutil
import subprocess
import sys
import tempfile

from mutagen import asf, flac, id3, mp4, oggopus, oggvorbis, wave

SECONDS = 4
FORMATS = [  # extension, ffmpeg codec arguments, share of the files
    ("mp3", ["-c:a", "libmp3lame", "-b:a", "32k", "-id3v2_version", "0", "-write_id3v1", "0"], 60),
    ("flac", ["-c:a", "flac"], 10),
    ("ogg", ["-c:a", "libvorbis", "-q:a", "0"], 8),
    ("opus", ["-c:a", "libopus", "-b:a", "16k"], 6),
    ("m4a", ["-c:a", "aac", "-b:a", "32k"], 8),
    ("wma", ["-c:a", "wmav2", "-b:a", "32k"], 5),
    ("wav", ["-c:a", "pcm_u8", "-ar", "8000"], 3),
]
WORDS = ["Кино", "Звезда", "Город", "Summer", "Night", "Река", "Dream", "Ветер", "Море", "Light", "Осень", "Road"]


def tag(path, ext, artist, title, album, track, year, legacy):
    if ext == "mp3":
        t = id3.ID3()
        if legacy:  # Windows-1251 bytes in Latin-1 frames, and the same in ID3v1
            enc = lambda s: s.encode("cp1251", "replace").decode("latin-1")
            artist, title, album, encoding = enc(artist), enc(title), enc(album), 0
        else:
            encoding = 1
        t.add(id3.TPE1(encoding=encoding, text=artist))
        t.add(id3.TIT2(encoding=encoding, text=title))
        t.add(id3.TALB(encoding=encoding, text=album))
        t.add(id3.TRCK(encoding=encoding, text="%d/12" % track))
        t.add(id3.TDRC(encoding=encoding, text=str(year)))
        t.save(path, v2_version=3 if legacy or track % 2 else 4, v1=2 if legacy else 0)
        return
    if ext in ("flac", "ogg", "opus"):
        f = {"flac": flac.FLAC, "ogg": oggvorbis.OggVorbis, "opus": oggopus.OggOpus}[ext](path)
        f["ARTIST"], f["TITLE"], f["ALBUM"], f["TRACKNUMBER"], f["DATE"] = artist, title, album, str(track), str(year)
    elif ext == "m4a":
        f = mp4.MP4(path)
        f["\xa9ART"], f["\xa9nam"], f["\xa9alb"], f["trkn"], f["\xa9day"] = artist, title, album, [(track, 12)], str(year)
    elif ext == "wma":
        f = asf.ASF(path)
        f["Author"], f["Title"], f["WM/AlbumTitle"], f["WM/TrackNumber"], f["WM/Year"] = \
            artist, title, album, str(track), str(year)
    else:
        f = wave.WAVE(path)
        f.add_tags()
        f.tags.add(id3.TPE1(encoding=3, text=artist))
        f.tags.add(id3.TIT2(encoding=3, text=title))
        f.tags.add(id3.TALB(encoding=3, text=album))
        f.tags.add(id3.TRCK(encoding=3, text=str(track)))
    f.save()


def main():
    root = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    rng = random.Random(20)
    with tempfile.TemporaryDirectory() as tmp:
        bases = {}
        for ext, codec, _ in FORMATS:
            bases[ext] = os.path.join(tmp, "base." + ext)
            subprocess.run(["ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "anullsrc=r=22050:cl=mono",
                            "-t", str(SECONDS), "-map_metadata", "-1", *codec, bases[ext]], check=True)
        exts = [ext for ext, _, share in FORMATS for _ in range(share)]
        made = 0
        artist_no = 0
        while made < count:
            artist_no += 1
            artist = "%s %s %d" % (rng.choice(WORDS), rng.choice(WORDS), artist_no)
            for album_no in range(1, 4):
                album = "%s %d" % (rng.choice(WORDS), 1990 + album_no)
                folder = os.path.join(root, artist, album)
                os.makedirs(folder, exist_ok=True)
                for track in range(1, 13):
                    if made == count:
                        break
                    ext = rng.choice(exts)
                    title = "%s %s" % (rng.choice(WORDS), rng.choice(WORDS))
                    path = os.path.join(folder, "%02d %s.%s" % (track, title, ext))
                    shutil.copyfile(bases[ext], path)
                    tag(path, ext, artist, title, album, track, 1990 + album_no, ext == "mp3" and made % 5 == 0)
                    made += 1
    print("%d files in %s" % (made, root))


if __name__ == "__main__":
    main()
