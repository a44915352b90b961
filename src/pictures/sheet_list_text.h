// SPDX-FileCopyrightText: 2026 The Tessarin developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of slide-show and thumbnail files: one path per line.

// The non-blank lines of a list file's bytes. Lines end in CR LF or in LF alone; the bytes are
// UTF-8 (a leading byte-order mark is skipped); bytes that are not valid UTF-8 are read in the
// local 8-bit encoding, or, where that is UTF-8 too, as Windows-1252 (the encoding such files were
// written in by older tools; Latin-1 where it is not available).
QStringList list_file_lines(const QByteArray& bytes);

// Reads the lines of the list file at `path`; throws FileError when it cannot be read.
QStringList read_list_file(const QString& path);

// The bytes of a list file: each line in UTF-8 followed by CR LF.
QByteArray list_file_bytes(const QStringList& lines);

// Writes a list file whole (a failure leaves no half-written file); throws FileError.
void write_list_file(const QString& path, const QStringList& lines);
