// Common label sheets, in the template format of glabels-data, so that the
// stock choice works where that package is not installed. Written from the
// makers' published sheet drawings; lengths in the unit of the drawing
// (thirds of an inch in points, which hold them exactly).

extern const char *const kBuiltInStockXml;
const char *const kBuiltInStockXml = R"XML(<?xml version="1.0"?>
<Glabels-templates>

  <!-- US Letter -->
  <Template brand="Avery" part="5160" size="US-Letter" _description="Address Labels">
    <Label-rectangle id="0" width="2.625in" height="1in" round="0.0625in">
      <Layout nx="3" ny="10" x0="0.1875in" y0="0.5in" dx="2.75in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8160" equiv="5160"/>
  <Template brand="Avery" part="5260" equiv="5160"/>
  <Template brand="Avery" part="5960" equiv="5160"/>
  <Template brand="Avery" part="18160" equiv="5160"/>

  <Template brand="Avery" part="5161" size="US-Letter" _description="Address Labels">
    <Label-rectangle id="0" width="4in" height="1in" round="0.0625in">
      <Layout nx="2" ny="10" x0="0.15625in" y0="0.5in" dx="4.1875in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8161" equiv="5161"/>

  <Template brand="Avery" part="5162" size="US-Letter" _description="Address Labels">
    <Label-rectangle id="0" width="288pt" height="96pt" round="4.5pt">
      <Layout nx="2" ny="7" x0="11.25pt" y0="60pt" dx="301.5pt" dy="96pt"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8162" equiv="5162"/>

  <Template brand="Avery" part="5163" size="US-Letter" _description="Shipping Labels">
    <Label-rectangle id="0" width="4in" height="2in" round="0.125in">
      <Layout nx="2" ny="5" x0="0.15625in" y0="0.5in" dx="4.1875in" dy="2in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8163" equiv="5163"/>

  <Template brand="Avery" part="5164" size="US-Letter" _description="Shipping Labels">
    <Label-rectangle id="0" width="288pt" height="240pt" round="9pt">
      <Layout nx="2" ny="3" x0="11.25pt" y0="36pt" dx="301.5pt" dy="240pt"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8164" equiv="5164"/>

  <Template brand="Avery" part="5165" size="US-Letter" _description="Full Sheet Labels">
    <Label-rectangle id="0" width="8.5in" height="11in" round="0in">
      <Layout nx="1" ny="1" x0="0in" y0="0in" dx="8.5in" dy="11in"/>
    </Label-rectangle>
  </Template>

  <Template brand="Avery" part="5126" size="US-Letter" _description="Shipping Labels, half sheet">
    <Label-rectangle id="0" width="8.5in" height="5.5in" round="0in">
      <Layout nx="1" ny="2" x0="0in" y0="0in" dx="8.5in" dy="5.5in"/>
    </Label-rectangle>
  </Template>

  <Template brand="Avery" part="5167" size="US-Letter" _description="Return Address Labels">
    <Label-rectangle id="0" width="1.75in" height="0.5in" round="0.0625in">
      <Layout nx="4" ny="20" x0="0.28125in" y0="0.5in" dx="2.0625in" dy="0.5in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8167" equiv="5167"/>

  <Template brand="Avery" part="5168" size="US-Letter" _description="Shipping Labels">
    <Label-rectangle id="0" width="3.5in" height="5in" round="0.0625in">
      <Layout nx="2" ny="2" x0="0.5in" y0="0.5in" dx="4in" dy="5in"/>
    </Label-rectangle>
  </Template>

  <Template brand="Avery" part="5366" size="US-Letter" _description="File Folder Labels">
    <Label-rectangle id="0" width="247.5pt" height="48pt" round="4.5pt">
      <Layout nx="2" ny="15" x0="38.25pt" y0="36pt" dx="288pt" dy="48pt"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8366" equiv="5366"/>

  <Template brand="Avery" part="5395" size="US-Letter" _description="Name Badge Labels">
    <Label-rectangle id="0" width="243pt" height="168pt" round="13.5pt">
      <Layout nx="2" ny="4" x0="49.5pt" y0="42pt" dx="270pt" dy="180pt"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8395" equiv="5395"/>

  <Template brand="Avery" part="5371" size="US-Letter" _description="Business Cards">
    <Label-rectangle id="0" width="3.5in" height="2in" round="0in">
      <Layout nx="2" ny="5" x0="0.75in" y0="0.5in" dx="3.5in" dy="2in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="8371" equiv="5371"/>

  <!-- A4 -->
  <Template brand="Avery" part="L7160" size="A4" _description="Address Labels, 21 per sheet">
    <Label-rectangle id="0" width="63.5mm" height="38.1mm" round="2mm">
      <Layout nx="3" ny="7" x0="7.21mm" y0="15.15mm" dx="66.04mm" dy="38.1mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8160" equiv="L7160"/>

  <Template brand="Avery" part="L7159" size="A4" _description="Address Labels, 24 per sheet">
    <Label-rectangle id="0" width="63.5mm" height="33.9mm" round="2mm">
      <Layout nx="3" ny="8" x0="7.21mm" y0="12.9mm" dx="66.04mm" dy="33.9mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8159" equiv="L7159"/>

  <Template brand="Avery" part="L7161" size="A4" _description="Address Labels, 18 per sheet">
    <Label-rectangle id="0" width="63.5mm" height="46.6mm" round="2mm">
      <Layout nx="3" ny="6" x0="7.21mm" y0="8.7mm" dx="66.04mm" dy="46.6mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8161" equiv="L7161"/>

  <Template brand="Avery" part="L7162" size="A4" _description="Address Labels, 16 per sheet">
    <Label-rectangle id="0" width="99.1mm" height="33.9mm" round="2mm">
      <Layout nx="2" ny="8" x0="4.65mm" y0="12.9mm" dx="101.6mm" dy="33.9mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8162" equiv="L7162"/>

  <Template brand="Avery" part="L7163" size="A4" _description="Address Labels, 14 per sheet">
    <Label-rectangle id="0" width="99.1mm" height="38.1mm" round="2mm">
      <Layout nx="2" ny="7" x0="4.65mm" y0="15.15mm" dx="101.6mm" dy="38.1mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8163" equiv="L7163"/>

  <Template brand="Avery" part="L7164" size="A4" _description="Address Labels, 12 per sheet">
    <Label-rectangle id="0" width="63.5mm" height="72mm" round="3mm">
      <Layout nx="3" ny="4" x0="7.21mm" y0="4.5mm" dx="66.04mm" dy="72mm"/>
    </Label-rectangle>
  </Template>

  <Template brand="Avery" part="L7165" size="A4" _description="Parcel Labels, 8 per sheet">
    <Label-rectangle id="0" width="99.1mm" height="67.7mm" round="3mm">
      <Layout nx="2" ny="4" x0="4.65mm" y0="13.1mm" dx="101.6mm" dy="67.7mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8165" equiv="L7165"/>

  <Template brand="Avery" part="L7166" size="A4" _description="Parcel Labels, 6 per sheet">
    <Label-rectangle id="0" width="99.1mm" height="93.1mm" round="3mm">
      <Layout nx="2" ny="3" x0="4.65mm" y0="8.85mm" dx="101.6mm" dy="93.1mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8166" equiv="L7166"/>

  <Template brand="Avery" part="L7169" size="A4" _description="Parcel Labels, 4 per sheet">
    <Label-rectangle id="0" width="99.1mm" height="139mm" round="3mm">
      <Layout nx="2" ny="2" x0="4.65mm" y0="9.5mm" dx="101.6mm" dy="139mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8169" equiv="L7169"/>

  <Template brand="Avery" part="L7168" size="A4" _description="Parcel Labels, 2 per sheet">
    <Label-rectangle id="0" width="199.6mm" height="143.5mm" round="3mm">
      <Layout nx="1" ny="2" x0="5.2mm" y0="5mm" dx="199.6mm" dy="143.5mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8168" equiv="L7168"/>

  <Template brand="Avery" part="L7167" size="A4" _description="Full Sheet Label">
    <Label-rectangle id="0" width="199.6mm" height="289.1mm" round="3mm">
      <Layout nx="1" ny="1" x0="5.2mm" y0="3.95mm" dx="199.6mm" dy="289.1mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8167" equiv="L7167"/>

  <Template brand="Avery" part="L7173" size="A4" _description="Shipping Labels, 10 per sheet">
    <Label-rectangle id="0" width="99.1mm" height="57mm" round="3mm">
      <Layout nx="2" ny="5" x0="4.65mm" y0="6mm" dx="101.6mm" dy="57mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Avery" part="J8173" equiv="L7173"/>

  <Template brand="Avery" part="L7171" size="A4" _description="Lever Arch File Labels">
    <Label-rectangle id="0" width="200mm" height="60mm" round="2mm">
      <Layout nx="1" ny="4" x0="5mm" y0="28.5mm" dx="200mm" dy="60mm"/>
    </Label-rectangle>
  </Template>

  <Template brand="Avery" part="L4785" size="A4" _description="Name Badges">
    <Label-rectangle id="0" width="80mm" height="50mm" round="4mm">
      <Layout nx="2" ny="5" x0="18mm" y0="13mm" dx="95mm" dy="55mm"/>
    </Label-rectangle>
  </Template>

</Glabels-templates>
)XML";
