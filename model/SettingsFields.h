#pragma once

namespace umbrascope {

// The 33 settings in record order with their names. Project files store them in this order,
// and the JSON form of a session names them this way. Values is TSessionValues or
// SessionValuesInForce, const or not; the visitor's Field(name, field) is called for each.

template <typename Visitor, typename Values> void VisitSettingsFields(Visitor& v, Values& s) {
    v.Field("TextEnabled", s.TextEnabled);
    v.Field("FontName", s.FontName);
    v.Field("FontStyle", s.FontStyle);
    v.Field("TextColor", s.TextColor);
    v.Field("OutlineEnabled", s.OutlineEnabled);
    v.Field("OutlineColor", s.OutlineColor);
    v.Field("Transparency", s.Transparency);
    v.Field("TextPosition", s.TextPosition);
    v.Field("TextWidth", s.TextWidth);
    v.Field("PhraseDuration", s.PhraseDuration);
    v.Field("PhraseInterval", s.PhraseInterval);
    v.Field("PhraseFile", s.PhraseFile);
    v.Field("AudioEnabled", s.AudioEnabled);
    v.Field("AudioVolume", s.AudioVolume);
    v.Field("Waves", s.Waves);
    v.Field("VideoEnabled", s.VideoEnabled);
    v.Field("VideoType", s.VideoType);
    v.Field("FlickerColor", s.FlickerColor);
    v.Field("FlickerFreq", s.FlickerFreq);
    v.Field("SpiralColor", s.SpiralColor);
    v.Field("SpiralBackColor", s.SpiralBackColor);
    v.Field("SpiralSpeed", s.SpiralSpeed);
    v.Field("SpiralWidth", s.SpiralWidth);
    v.Field("SpiralDirection", s.SpiralDirection);
    v.Field("LinesColor", s.LinesColor);
    v.Field("LinesBackColor", s.LinesBackColor);
    v.Field("LinesSpeed", s.LinesSpeed);
    v.Field("LinesWidth", s.LinesWidth);
    v.Field("LinesDirection", s.LinesDirection);
    v.Field("CirclesColor", s.CirclesColor);
    v.Field("CirclesBackColor", s.CirclesBackColor);
    v.Field("CirclesFreq", s.CirclesFreq);
    v.Field("CirclesWidth", s.CirclesWidth);
}

} // namespace umbrascope
