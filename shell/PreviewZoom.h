#pragma once

#include <QSizeF>
#include <QString>

// The preview's magnification: one of fixed steps from 1/8 to 16 times, or,
// while fitting, whatever shows the whole canvas in the window (the factor
// then follows the canvas and the window until another zoom is chosen).
class CPreviewZoom
{
public:
    static constexpr double kMinFactor = 0.125;
    static constexpr double kMaxFactor = 16;

    double GetFactor() const { return m_factor; }
    bool IsFitting() const { return m_fitting; }
    // The factor as the status bar shows it: "100 %".
    QString GetText() const;

    // To the next step above or below the current factor (which may lie
    // between steps while fitting); fitting ends.
    void StepIn();
    void StepOut();
    // 1: every canvas pixel a screen pixel; fitting ends.
    void SetActualSize();
    // Starts fitting canvas into area.
    void Fit(const QSizeF& canvas, const QSizeF& area);
    // While fitting, takes the factor for the new canvas or area; otherwise
    // nothing. Whether the factor changed.
    bool Refit(const QSizeF& canvas, const QSizeF& area);

private:
    double m_factor = 1;
    bool m_fitting = false;
};
