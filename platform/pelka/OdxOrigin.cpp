#include "pelka/OdxOrigin.h"

#include <utility>

namespace Pelka {

namespace {

template <class T>
std::uint32_t Append(std::vector<T>& entries, T entry) {
  entries.push_back(std::move(entry));
  return static_cast<std::uint32_t>(entries.size() - 1);
}

}  // namespace

ZOdxOrigin::ZOdxOrigin() = default;
ZOdxOrigin::~ZOdxOrigin() = default;

const ZOdxOrigin::ZValueSite* ZOdxOrigin::SiteOf(const ZDefaultAttr& attribute) const noexcept {
  const std::size_t position = attribute.GetPosition();
  if (position >= m_siteByPosition.size() || m_siteByPosition[position] == npos) return nullptr;
  return &m_sites[m_siteByPosition[position]];
}

std::uint32_t ZOdxOrigin::AddSource(ZSource source) { return Append(m_sources, std::move(source)); }

std::uint32_t ZOdxOrigin::AddLayer(ZLayer layer) { return Append(m_layers, std::move(layer)); }

std::uint32_t ZOdxOrigin::AddComparam(ZComparam comparam) {
  return Append(m_comparams, std::move(comparam));
}

std::uint32_t ZOdxOrigin::AddComplexValue(ZComplexValue value) {
  return Append(m_complexValues, std::move(value));
}

std::uint32_t ZOdxOrigin::AddAppliedText(std::string text) {
  return Append(m_appliedTexts, std::move(text));
}

void ZOdxOrigin::SetSite(const ZDefaultAttr& attribute, const ZValueSite& site) {
  const std::size_t position = attribute.GetPosition();
  if (position >= m_siteByPosition.size()) m_siteByPosition.resize(position + 1, npos);
  m_siteByPosition[position] = Append(m_sites, site);
}

void ZOdxOrigin::AddWarning(std::string warning) { m_warnings.push_back(std::move(warning)); }

}  // namespace Pelka
