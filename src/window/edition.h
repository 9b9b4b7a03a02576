// The four editions of the program, chosen by the name it was started as (or --edition).
#pragma once

#include <QString>

enum class Edition { Pellory2, Brisklet, Strandel2, Ombrine2 };

namespace Editions {

// "Pellory2", "Brisklet", "Strandel2", "Ombrine2".
QString displayName(Edition edition);
// The command the edition is installed as: "pellory2", "brisklet", ...
QString commandName(Edition edition);
// The edition for a program or edition name (case-insensitive, path and extension ignored);
// unknown names are the full edition.
Edition fromName(const QString &name);
// The edition's icon resource, e.g. ":/icons/Pellory2_256.png".
QString iconPath(Edition edition);

// The edition of the running program (set once at start).
Edition current();
void setCurrent(Edition edition);

} // namespace Editions
