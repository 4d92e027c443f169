<?php
// order form for the plant sale; posts back to itself
require_once("includes/db_connect.php");
$plant_list = get_plants($db_link, "spring");
$total_price = 0;
?>
<html>
<head>
<title>Plant Sale Order Form</title>
<style>
p{color:#222}
.price_col{text-align:right;width:80px}
</style>
</head>
<body>
<h1>Plant Sale &ndash; Order Form</h1>
<% ' the old ASP page kept this greeting
Response.Write("Welcome back, " & Session("user_name"))
rem greeting ends here
%>
<form method="post" action="<?php echo $_SERVER['PHP_SELF']; ?>">
<table border="1" cellpadding="4">
<?php foreach ($plant_list as $plant_row) { ?>
  <tr>
    <td><?= htmlspecialchars($plant_row['plant_name']) ?></td>
    <td class="price_col">&pound;<?php printf("%.2f", $plant_row['unit_price']); ?></td>
    <td><input type="text" name="qty_<?php echo $plant_row['plant_id']; ?>" size="3" value=""></td>
  </tr>
<?php } ?>
</table>
<p>Orders over &pound;20 get free delivery within 5 miles; others pay &pound;2.50.</p>
<input type="submit" name="send_order" value="Place Order">
</form>
<script type="text/javascript">
// keep the running total up to date
function update_total(form_ref) {
	var sum = 0; /* pence */
	for (var i = 0; i < form_ref.elements.length; i++) {
		sum += parseInt(form_ref.elements[i].value || 0, 10);
	}
	document.getElementById("total_box").innerHTML = "&pound;" + (sum / 100).toFixed(2);
}
</script>
</body>
</html>
