#pragma once
// Model texts are 8-bit strings in the Windows-1251 code page: the world file
// stores one byte per character. These convert them for display and editing.
#include <QString>
#include <string>

QString from_cp1251(const std::string& text);
// Characters the code page lacks become "?".
std::string to_cp1251(const QString& text);
