#include "export/ExportChecks.h"

#include "font/CIdentifier.h"
#include "font/Cp1250.h"

#include <algorithm>

namespace zelvik {

namespace {

Result<> refused(std::string_view message) {
    return Result<>::fail(
        Failure::Refused,
        QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size())));
}

const QString kCantGenerate = QStringLiteral("Can't generate source file!\n");

QString ruleText() {
    return QString::fromLatin1(kCIdentifierRule.data(),
                               static_cast<qsizetype>(kCIdentifierRule.size()));
}

} // namespace

Result<> checkIdentifierField(std::string_view identifierField) {
    if (identifierField.empty())
        return refused(kNoFontNameMessage);
    return Result<>::success();
}

Result<> checkBlankSlotName(const FontModel& font) {
    if (font.slots[kBlankSlot].defined())
        return Result<>::success();
    for (int code = 0; code < kCodeCount; ++code) {
        if (!font.slots[code].defined())
            return refused(kNamelessBlankMessage);
    }
    return Result<>::success();
}

Result<> checkIdentifierName(std::string_view identifier, const ExportTargetInfo& target) {
    const std::vector<std::string_view>& own = target.ownNames;
    if (!isCIdentifier(identifier))
        return Result<>::fail(Failure::Refused,
                              kCantGenerate + QStringLiteral("The font name \"%1\" is not a C "
                                                             "identifier (%2)!")
                                                  .arg(fromCp1250(identifier), ruleText()));
    if (std::find(own.begin(), own.end(), identifier) != own.end())
        return Result<>::fail(Failure::Refused,
                              kCantGenerate +
                                  QStringLiteral("The font name \"%1\" is a name the source "
                                                 "itself declares!")
                                      .arg(fromCp1250(identifier)));
    return Result<>::success();
}

Result<> checkSymbols(const FontModel& font, std::string_view identifier,
                      const ExportTargetInfo& target) {
    if (Result<> name = checkIdentifierName(identifier, target); !name)
        return name;
    for (int index = 0; index < kSlotCount; ++index) {
        const CharSlot& slot = font.slots[index];
        if (!slot.defined())
            continue;
        const std::string label = std::string(identifier) + '_' + slot.name;
        if (!isCIdentifier(label))
            return Result<>::fail(Failure::Refused,
                                  kCantGenerate + QStringLiteral("Character #%1 would be named "
                                                                 "\"%2\", which is not a C "
                                                                 "identifier (%3)!")
                                                      .arg(index)
                                                      .arg(fromCp1250(label), ruleText()));
    }
    return Result<>::success();
}

Result<> checkExportable(const FontModel& font, std::string_view identifierField,
                         const ExportTargetInfo& target) {
    const ExportJob job{font, exportIdentifier(font, identifierField), {}, {}};
    if (target.kind == ExportKind::FontFile)
        return target.makeWriter()->check(job);
    if (Result<> field = checkIdentifierField(identifierField); !field)
        return field;
    // The display libraries' formats hold no labels of character names.
    if (target.takesPacking()) {
        if (Result<> blank = checkBlankSlotName(font); !blank)
            return blank;
        if (Result<> symbols = checkSymbols(font, job.identifier, target); !symbols)
            return symbols;
    } else if (Result<> name = checkIdentifierName(job.identifier, target); !name) {
        return name;
    }
    return target.makeWriter()->check(job);
}

Result<> checkExportable(const FontModel& font, std::string_view identifierField,
                         ExportTarget target) {
    return checkExportable(font, identifierField, exportTarget(target));
}

std::string exportIdentifier(const FontModel& font, std::string_view identifierField) {
    if (!font.fontIdentifier.empty())
        return font.fontIdentifier;
    return std::string(identifierField.substr(0, kMaxIdentifierLength));
}

} // namespace zelvik
