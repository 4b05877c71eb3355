// A base fixture for tests that build a document in memory and write to its ECU.
#pragma once

#include <Util/ComParamHelper.h>

#include <pelka/Pelka.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>
#include <string>

class DocumentTest : public ::testing::Test {
 protected:
  static constexpr Pelka::ZLanguageId kEnglish = 1;

  DocumentTest() { m_doc.AddLanguage(kEnglish, L"English"); }

  // The ECU's override of the attribute; a test without one fails with an exception.
  template <class TDefaultAttr>
  typename TDefaultAttr::OverrideType& OverrideOf(TDefaultAttr& attribute) {
    Pelka::ZOverrideAttrSet& overrides = m_doc.GetEcu().OverriddenAttributes();
    auto found = overrides.Find(attribute);
    if (found == overrides.End()) throw std::logic_error("the ECU holds no override");
    return static_cast<typename TDefaultAttr::OverrideType&>(*found);
  }

  // One tag per text, ids from 0, each text defined in every language.
  static void AddTags(Pelka::ZEnumDefaultAttr& attribute,
                      std::initializer_list<const wchar_t*> texts) {
    Pelka::ZEnumTagId id = 0;
    for (const wchar_t* text : texts) NComParamMan::AddEnumTag(attribute, id++, text);
  }

  std::string Snapshot() const { return Pelka::FormatEcuDoc(m_doc); }

  Pelka::ZEcuDoc m_doc;
};
