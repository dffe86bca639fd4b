#include "shell/PreviewZoom.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kSteps = {0.125, 0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0, 12.0, 16.0};
// Factors this close count as equal: a fitted 99.99 % steps in to 150 %.
constexpr double kSameFactor = 1e-3;

} // namespace

QString CPreviewZoom::GetText() const
{
    return QStringLiteral("%1 %").arg(qRound(m_factor * 100));
}

void CPreviewZoom::StepIn()
{
    const auto next = std::find_if(kSteps.begin(), kSteps.end(),
                                   [this](double step) { return step > m_factor * (1 + kSameFactor); });
    m_factor = next == kSteps.end() ? kMaxFactor : *next;
    m_fitting = false;
}

void CPreviewZoom::StepOut()
{
    const auto next = std::find_if(kSteps.rbegin(), kSteps.rend(),
                                   [this](double step) { return step < m_factor * (1 - kSameFactor); });
    m_factor = next == kSteps.rend() ? kMinFactor : *next;
    m_fitting = false;
}

void CPreviewZoom::SetActualSize()
{
    m_factor = 1;
    m_fitting = false;
}

void CPreviewZoom::Fit(const QSizeF& canvas, const QSizeF& area)
{
    m_fitting = true;
    Refit(canvas, area);
}

bool CPreviewZoom::Refit(const QSizeF& canvas, const QSizeF& area)
{
    if (!m_fitting || canvas.isEmpty() || area.isEmpty())
        return false;
    const double fitted = std::clamp(std::min(area.width() / canvas.width(), area.height() / canvas.height()),
                                     kMinFactor, kMaxFactor);
    const bool changed = fitted != m_factor;
    m_factor = fitted;
    return changed;
}
